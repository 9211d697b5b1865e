#pragma once
// The data exports: every field of every listed file, one line a file, as CSV (RFC 4180 with a
// byte-order mark, and a guard against cells a spreadsheet would take for formulas) or as JSON
// Lines. This is their form; what the fields hold comes from the row maker.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class ExportKind { None, Csv, JsonLines };

// What an output file of this name gets: a name ending in ".csv" or ".jsonl" (A-Z in either
// case) an export, any other a page.
ExportKind exportKindOf(std::string_view outputFile);

// The fields of a line, in their order: the name, and what it holds in a few words (for the
// help).
struct ExportField {
    std::string_view name;
    std::string_view meaning;
};
constexpr int ExportFieldCount = 16;
const std::array<ExportField, ExportFieldCount>& exportFields();

// What the file holds before its first line: in CSV the UTF-8 byte-order mark and the header
// row of the field names; nothing in JSON Lines.
void appendExportHead(ExportKind kind, std::string& out);

// One file's line, made field by field in the order of exportFields and ended by end().
// A text is made well formed UTF-8 first (each maximal ill-formed subsequence becomes one
// U+FFFD). CSV: a text that starts with = + - @ TAB or CR gets a leading "'", then is quoted,
// with `"` doubled, when it holds , " CR or LF; numbers in decimal, a flag 1 or 0, an unknown
// value empty, CR LF at the end. JSON Lines: {"name":value,...} without blanks; texts escape
// `"`, `\` and the bytes below 0x20; numbers in decimal, a flag true or false, an unknown value
// null, LF at the end.
class ExportLine {
public:
    // Appends to `out`, which must outlive the line.
    ExportLine(ExportKind kind, std::string& out);

    void text(std::string_view value);
    void number(std::uint64_t value);
    void flag(bool value);
    void unknown();
    void end();

private:
    void startField();

    const ExportKind kind_;
    std::string& out_;
    int field_ = 0;
};
