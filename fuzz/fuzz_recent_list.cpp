// The recent-list loader over any file: each line once, in the place it first had, whatever its
// line end; and what the list writes reads back as the same list.
#include "generator/RecentList.h"
#include "platform/Path.h"
#include "check.h"
#include "MemoryFile.h"
#include "Scratch.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// The rule written plainly: a line ends at CR, LF or CR LF; a last line without an end counts;
// a line already seen adds nothing. Names are compared byte for byte, as POSIX does.
std::vector<std::string> expectedEntries(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> entries;
    std::unordered_set<std::string> seen;
    const auto add = [&](const std::string& line) {
        if (seen.insert(line).second)
            entries.push_back(line);
    };
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c != '\r' && c != '\n') {
            line += c;
            open = true;
            continue;
        }
        add(line);
        line.clear();
        open = false;
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
    }
    if (open)
        add(line);
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FUZZ_CHECK(!platform::FileNamesIgnoreCase);
    TRecentList list;
    FUZZ_CHECK(list.LoadFromFile(memoryFile(data, size)));
    FUZZ_CHECK(list.Items() == expectedEntries(data, size));
    for (int i = 0; i < list.Count(); ++i) {
        FUZZ_CHECK(list.IndexOf(list[i]) == i);
        FUZZ_CHECK(sameIgnoringCase(list[i], list[i]));
    }
    // Windows' comparison, which the list uses there.
    if (list.Count() >= 2)
        FUZZ_CHECK(sameIgnoringCase(list[0], list[1]) == sameIgnoringCase(list[1], list[0]));

    const std::string saved = scratchFolder() + "tunesheet.dirs";
    list.SaveToFile(saved);
    TRecentList again;
    FUZZ_CHECK(again.LoadFromFile(saved));
    FUZZ_CHECK(again.Items() == list.Items());
    return 0;
}
