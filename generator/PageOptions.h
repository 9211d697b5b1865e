#pragma once
// The options file beside a settings file: the settings the 996-byte record has no room for, as
// UTF-8 "key=value" lines. Each key is one row of a table in PageOptions.cpp. A line that is
// not one of its keys (a comment, a key of a later version) is kept as it stands when the file
// is written again; a key whose value cannot be used keeps its default and is reported.
#include "generator/PageKind.h"
#include "platform/LegacyEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct PageOptions {
    // The page's columns in order, by id, each of them possibly more than once; empty when the
    // file names none.
    std::vector<std::uint8_t> columns;
    // "page=": the kind of page; plain when the file does not say.
    PageKind page = PageKind::Plain;
    // "legacy-encoding=": what single-byte tag texts and names that are not UTF-8 are read in.
    platform::LegacyEncoding legacyEncoding = platform::LegacyEncoding::Iso8859_1;
    // The file's lines as read, without their line ends, for the writer to keep.
    std::vector<std::string> lines;
};

// A value the reader could not use: its key's default stands in its place.
struct BadOption {
    int line; // counted from 1
    std::string key;
    std::string value;
};

// The settings file's path with the extension of its last name (the last "." and what follows,
// unless the name starts with that ".") replaced by ".options", or ".options" appended.
std::string optionsFileOf(const std::string& settingsPath);

// A leading byte-order mark is passed over; lines end in LF or CR LF. A line that starts with
// "#" or holds no "=" is nothing to the reader; blanks (space, tab) around key and value do not
// count, and of several lines with one key the last counts.
PageOptions parseOptions(std::string_view text, std::vector<BadOption>& bad);
// Whether the writer replaces this line with its key's value: a line of one of the keys above.
bool isOptionKeyLine(std::string_view line);
// The lines read, each key's line replaced by its value now (or dropped when it has none),
// then the keys that were not there; each line ends in CR LF.
std::string optionsText(const PageOptions& options);

// The options of the file at `path`; the defaults when there is none. Raises
// platform::InOutError, naming the file, when it exists but cannot be read.
PageOptions readOptionsFile(const std::string& path, std::vector<BadOption>& bad);
// Writes the file, replacing it only once complete.
void writeOptionsFile(const std::string& path, const PageOptions& options);

// The columns by their command-line names, separated by ",": "artist,title,track".
std::string columnListText(const std::vector<std::uint8_t>& columns);
// The columns such a list names; blanks and empty items are passed over. False, with
// `unknown` the first name no column has (empty when the list names none), when it does not
// name columns only.
bool parseColumnList(std::string_view text, std::vector<std::uint8_t>& columns, std::string& unknown);
