#include "generator/ExportRow.h"

#include "generator/Html.h"
#include "generator/TextEncoding.h"
#include "platform/Path.h"

ExportPaths exportPaths(const std::string& root, const std::string& outputFile)
{
    ExportPaths paths;
    paths.rootLength = root.size();
    const std::string folder = platform::absolutePath(platform::extractFilePath(outputFile));
    paths.linkToRoot = platform::relativePath(folder, platform::absolutePath(root));
    if (!paths.linkToRoot.empty())
        paths.linkToRoot = platform::includeTrailingDelimiter(paths.linkToRoot);
    return paths;
}

void appendExportFolder(std::string& out, const ExportPaths& paths, std::string_view path,
                        platform::LegacyEncoding legacy)
{
    std::string_view folder = path.substr(std::min(paths.rootLength, path.size()));
    std::size_t end = folder.size();
    while (end > 0 && !platform::isPathDelimiter(folder[end - 1]))
        --end;
    folder = folder.substr(0, end > 0 ? end - 1 : 0);
    thread_local std::string shown;
    pathToPage(folder, legacy, shown);
    out += shown;
}

void appendExportLink(std::string& out, const ExportPaths& paths, std::string_view path)
{
    thread_local std::string link;
    link.assign(paths.linkToRoot);
    link.append(path.substr(std::min(paths.rootLength, path.size())));
    appendLinkPath(out, link);
}
