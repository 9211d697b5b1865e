// The options file over any bytes, read as the window and the command-line tool read it: the
// columns it gives are real ones, and what it writes reads back as the same options, every line
// it does not know kept where it was.
#include "generator/Columns.h"
#include "generator/PageOptions.h"
#include "check.h"
#include "MemoryFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The lines that are not a key's, which the writer keeps as they are.
std::vector<std::string> keptLines(const PageOptions& options)
{
    std::vector<std::string> kept;
    for (const std::string& line : options.lines)
        if (!isOptionKeyLine(line))
            kept.push_back(line);
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<BadOption> bad;
    const PageOptions options = readOptionsFile(memoryFile(data, size), bad);
    for (std::size_t i = 0; i < bad.size(); ++i)
        for (std::size_t j = i + 1; j < bad.size(); ++j)
            FUZZ_CHECK(bad[i].key != bad[j].key); // one report a key, for its last line
    for (std::uint8_t id : options.columns)
        FUZZ_CHECK(columnKind(id) != nullptr);
    for (const BadOption& b : bad)
        FUZZ_CHECK(b.line >= 1 && static_cast<std::size_t>(b.line) <= options.lines.size());

    std::vector<BadOption> again;
    const PageOptions read = parseOptions(optionsText(options), again);
    FUZZ_CHECK(again.empty());
    FUZZ_CHECK(read.columns == options.columns);
    FUZZ_CHECK(read.page == options.page);
    FUZZ_CHECK(read.legacyEncoding == options.legacyEncoding);
    FUZZ_CHECK(keptLines(read) == keptLines(options));
    return 0;
}
