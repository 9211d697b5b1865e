#pragma once
// What an export's line holds for one file: where the file is, what its tags say and what its
// first frame says, as the fields of ExportFormat.h.
#include "generator/ExportFormat.h"
#include "platform/LegacyEncoding.h"

#include <cstddef>
#include <string>
#include <string_view>

struct FileFacts;

// An export and where its files lie, worked out once for the whole export.
struct ExportTarget {
    ExportKind kind = ExportKind::None;
    std::size_t rootLength = 0; // of the walk's root, its trailing delimiter included
    // The walk's root as the export's folder reaches it, each made absolute against the
    // working directory and lexically normal: empty when it is that folder, otherwise
    // ending in a delimiter.
    std::string linkToRoot;
};

// `root` is the walk's root as the walk builds its paths (ending in a delimiter), `outputFile`
// the export's file, which also decides the kind.
ExportTarget exportTarget(const std::string& root, const std::string& outputFile);

// The folder field of a file at `path` (a path the walk built): its folder behind the root,
// without the trailing delimiter, "" for the root itself; shown name by name.
void appendExportFolder(std::string& out, const ExportTarget& target, std::string_view path,
                        platform::LegacyEncoding legacy);

// The link field: the path from the export's folder, percent-encoded as a page's link is, not
// HTML-escaped.
void appendExportLink(std::string& out, const ExportTarget& target, std::string_view path);

// The file's whole line, ended, into `line` (replacing what it held). Its tags' texts are the
// fields' texts already picked by the tag priority.
void makeExportLine(std::string& line, const ExportTarget& target, const FileFacts& file);
