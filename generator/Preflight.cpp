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
    if (!platform::directoryExists(platform::withoutTrailingDelimiter(settings.InputDir.str())))
        return PreflightResult::NoInputDir;
    return PreflightResult::Ready;
}
