#pragma once
// Generates pages over folders made for the test and splits them into lines.
#include "generator/tunesheet_class.h"

#include "common/TempDir.h"

#include <functional>
#include <string>
#include <vector>

// Lines of a page; every line must end in CR LF.
inline std::vector<std::string> pageLines(const std::string& page)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < page.size()) {
        std::size_t end = page.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back("<<no CR LF>>" + page.substr(start));
            break;
        }
        lines.push_back(page.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

inline int countLines(const std::vector<std::string>& lines, const std::string& text)
{
    int n = 0;
    for (const auto& l : lines)
        n += l == text;
    return n;
}

inline int countPrefix(const std::vector<std::string>& lines, const std::string& prefix)
{
    int n = 0;
    for (const auto& l : lines)
        n += l.compare(0, prefix.size(), prefix) == 0;
    return n;
}

struct PageRun {
    TempDir out;
    TGeneratorSettings settings = initialFormSettings();
    PageOptions options;
    int readers = 0;
    PageKind page = PageKind::Plain;
    std::function<bool(const GenerateProgress&)> onProgress;

    std::string outputName = "page.htm"; // ".csv" or ".jsonl" for an export
    std::string outputPath() const { return out.path(outputName); }

    std::string generate(const std::string& inputDir)
    {
        TTunesheet t;
        t.Settings = settings;
        t.Options = options;
        t.Settings.InputDir = inputDir;
        t.Settings.OutputFile = outputPath();
        t.Readers = readers;
        t.Options.page = page;
        t.OnProgress = onProgress;
        t.Generate();
        return readFile(outputPath());
    }
    std::vector<std::string> lines(const std::string& inputDir) { return pageLines(generate(inputDir)); }
};

// A run whose page has the File name column only, so that each row names one file.
struct FileNameRun : PageRun {
    FileNameRun()
    {
        for (int i = 1; i < ColumnSlots; ++i)
            settings.SelectedItems[i] = ciNone;
        settings.SelectedItems[0] = ciFileName;
        settings.SelectedNames[0] = "File name";
    }
};

// The rows' file names in page order, from a FileNameRun's page.
inline std::vector<std::string> namesInPageOrder(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    const std::string open = "<tr><td nowrap>&nbsp;", close = "&nbsp;</td></tr>";
    for (const auto& l : lines)
        if (l.compare(0, open.size(), open) == 0)
            names.push_back(l.substr(open.size(), l.size() - open.size() - close.size()));
    return names;
}
