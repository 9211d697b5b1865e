#include "generator/Preflight.h"

#include "generator/ExportFormat.h"
#include "generator/PageColumns.h"
#include "platform/DirReader.h"
#include "platform/Path.h"

const char* const MsgNoColumnsText = "Please, select some columns\rin 'Items Order' settings page!";
const char* const MsgNoInputDirText = "Input directory doesn't exist.\rPlease select another one!";

PreflightResult checkBeforeGenerate(const TGeneratorSettings& settings, const PageOptions& options)
{
    // An export holds every field, whichever columns a page would show.
    if (exportKindOf(settings.OutputFile.str()) == ExportKind::None &&
        pageColumns(settings, options.columns, englishColumnHeaders()).headers.empty())
        return PreflightResult::NoColumns;
    if (!platform::directoryExists(platform::withoutTrailingDelimiter(settings.InputDir.str())))
        return PreflightResult::NoInputDir;
    return PreflightResult::Ready;
}
