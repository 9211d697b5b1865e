// A language library's answers over any bytes: the first two are the code page its version
// information names, the rest what GetMyStr left in the program's buffer.
#include "i18n/LanguageText.h"
#include "check.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    platform::VersionInfo info;
    info.hasFixed = info.hasTranslation = true;
    info.codePage = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    const QByteArray codePage = languageCodePage(info);
    FUZZ_CHECK(QStringDecoder(codePage.constData()).isValid());

    std::vector<unsigned char> answer(LanguageAnswerSize);
    std::copy(data + 2, data + std::min(size, answer.size() + 2), answer.begin());
    const QString text = decodeLanguageText(answer.data(), codePage);
    // At most two UTF-16 units for each byte the length byte covers, and nothing from beyond it.
    FUZZ_CHECK(text.size() <= 2 * answer[0]);
    answer[1 + answer[0]] ^= 0xFF;
    FUZZ_CHECK(decodeLanguageText(answer.data(), codePage) == text);
    return 0;
}
