#include "cli/ColumnWords.h"

#include "generator/Columns.h"
#include "generator/PageColumns.h"

#include <algorithm>

namespace {

[[noreturn]] void usage(const std::string& message)
{
    throw CliUsageError{message};
}

bool linkable(const ColumnKind& column)
{
    return column.linkBit != 0;
}

// The names of the columns in id order that pass `which`, or "none".
template <typename Which>
std::string namesOf(Which which, const char* separator)
{
    std::string text;
    for (const ColumnKind& column : columnKinds())
        if (which(column))
            text += (text.empty() ? "" : separator) + std::string(column.cliName);
    return text;
}

} // namespace

std::string columnWords(bool linkableOnly, const char* separator)
{
    return namesOf([linkableOnly](const ColumnKind& column) { return !linkableOnly || linkable(column); }, separator);
}

void setColumns(CliCommand& c, const std::string& list)
{
    std::vector<std::uint8_t> ids;
    std::string unknown;
    if (!parseColumnList(list, ids, unknown) && !unknown.empty())
        usage("unknown column '" + unknown + "' (columns: " + columnWords(false) + ")");
    for (auto id = ids.begin(); id != ids.end(); ++id)
        if (std::find(ids.begin(), id, *id) != id)
            usage(std::string("column '") + columnKind(*id)->cliName + "' given twice");
    const auto slots = recordSlotsOf(ids);
    for (int i = 0; i < ColumnSlots; ++i) {
        c.settings.SelectedItems[i] = slots[i];
        c.settings.SelectedNames[i] = englishColumnName(slots[i]);
    }
    c.options.columns = ids;
}

void setLinks(TGeneratorSettings& s, const std::string& list)
{
    std::vector<std::uint8_t> ids;
    std::string unknown;
    parseColumnList(list, ids, unknown);
    const auto notLinkable = std::find_if(ids.begin(), ids.end(), [](std::uint8_t id) { return !linkable(*columnKind(id)); });
    if (!unknown.empty() || notLinkable != ids.end())
        usage("unknown link column '" + (unknown.empty() ? std::string(columnKind(*notLinkable)->cliName) : unknown) +
              "' (links: " + columnWords(true) + ")");
    s.ActiveLinks = 0;
    for (std::uint8_t id : ids)
        s.ActiveLinks |= columnKind(id)->linkBit;
}

std::string selectedColumns(const TGeneratorSettings& s)
{
    std::string text;
    for (int i = 0; i < ColumnSlots && s.SelectedItems[i] != ciNone; ++i)
        if (const ColumnKind* column = columnKind(s.SelectedItems[i]))
            text += (text.empty() ? "" : ",") + std::string(column->cliName);
    return text.empty() ? "none" : text;
}

std::string selectedLinks(const TGeneratorSettings& s)
{
    const std::string text = namesOf([&s](const ColumnKind& column) { return (s.ActiveLinks & column.linkBit) != 0; }, ",");
    return text.empty() ? "none" : text;
}
