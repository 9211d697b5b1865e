#include "generator/Preflight.h"

#include "platform/DirReader.h"
#include "platform/Path.h"

const char* const MsgNoColumnsText = "Please, select some columns\rin 'Items Order' settings page!";
const char* const MsgNoInputDirText = "Input directory doesn't exist.\rPlease select another one!";

PreflightResult checkBeforeGenerate(const TGeneratorSettings& settings)
{
    bool anyColumn = false;
    for (int i = 0; i < ColumnSlots; ++i)
        anyColumn = anyColumn || settings.SelectedItems[i] != ciNone;
    if (!anyColumn)
        return PreflightResult::NoColumns;
    std::string dir = settings.InputDir.str();
    if (!dir.empty() && platform::isPathDelimiter(dir.back()) && dir.size() > 1)
        dir.pop_back();
    if (!platform::directoryExists(dir))
        return PreflightResult::NoInputDir;
    return PreflightResult::Ready;
}
