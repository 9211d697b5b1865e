#include "platform/NarrowText.h"

#include <windows.h>

namespace platform {

namespace {

// The wide text of the conversion under way; one per thread, kept from conversion to conversion.
thread_local std::wstring wide;

void toAnsi(const wchar_t* text, int length, std::string& out)
{
    out.clear();
    if (length <= 0)
        return;
    // Characters the code page lacks become its default character.
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    out.resize(static_cast<std::size_t>(size));
    ::WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], size, nullptr, nullptr);
}

// `text` in code page `codePage` through UTF-16 into the ANSI code page; the bytes as they are
// when they are not text in that code page.
void fromCodePage(UINT codePage, std::string_view text, std::string& out)
{
    const int n = text.empty() ? 0 : ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        out.assign(text.data(), text.size());
        return;
    }
    wide.resize(static_cast<std::size_t>(n));
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    toAnsi(wide.data(), n, out);
}

} // namespace

void narrowFromUtf16(std::u16string_view text, std::string& out)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");
    wide.assign(text.begin(), text.end());
    toAnsi(wide.data(), static_cast<int>(wide.size()), out);
}

void narrowFromUtf8(std::string_view text, std::string& out)
{
    fromCodePage(CP_UTF8, text, out);
}

void narrowFromLegacy(LegacyEncoding encoding, std::string_view text, std::string& out)
{
    // A single-byte ANSI code page is where ISO-8859-1 tags come from: the bytes stay. Every
    // other encoding, and every encoding in a process whose ANSI code page is UTF-8 (the
    // programs' manifest asks for it), goes across character by character.
    if (encoding == LegacyEncoding::Iso8859_1 && ::GetACP() != CP_UTF8) {
        out.assign(text.data(), text.size());
        return;
    }
    const LegacyCodePoints& codePoints = legacyCodePoints(encoding);
    wide.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<wchar_t>(codePoints[static_cast<unsigned char>(text[i])]);
    toAnsi(wide.data(), static_cast<int>(wide.size()), out);
}

} // namespace platform
