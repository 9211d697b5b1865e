#pragma once
// The command line's words for columns, as the column table names them: --columns and --links
// read them, and the help shows them.
#include "cli/CliOptions.h"

#include <string>

// "artist, title, ...": the names of every column, or of those that can be links.
std::string columnWords(bool linkableOnly, const char* separator = ", ");

// The record's slots take the list's columns of their kinds, under their English names; the
// options take the whole list. Raises CliUsageError for a name no column has or one given twice.
void setColumns(CliCommand& command, const std::string& list);
// The columns written as links; raises CliUsageError for a name that is no such column.
void setLinks(TGeneratorSettings& settings, const std::string& list);

// The record's columns and links as the options name them ("none" for none).
std::string selectedColumns(const TGeneratorSettings& settings);
std::string selectedLinks(const TGeneratorSettings& settings);
