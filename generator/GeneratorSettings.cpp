#include "generator/GeneratorSettings.h"

#include "platform/AtomicFile.h"
#include "platform/Errors.h"
#include "platform/ReadOnlyFile.h"

#include <cstddef>
#include <cstring>

static_assert(offsetof(TGeneratorSettings, InputDir) == 0);
static_assert(offsetof(TGeneratorSettings, OutputFile) == 256);
static_assert(offsetof(TGeneratorSettings, IncludeSubdirs) == 512);
static_assert(offsetof(TGeneratorSettings, FileSizeUnit) == 513);
static_assert(offsetof(TGeneratorSettings, FileNameMode) == 514);
static_assert(offsetof(TGeneratorSettings, DirOverTable) == 515);
static_assert(offsetof(TGeneratorSettings, AllDirsInOneTable) == 516);
static_assert(offsetof(TGeneratorSettings, Wrap) == 517);
static_assert(offsetof(TGeneratorSettings, ActiveLinks) == 518);
static_assert(offsetof(TGeneratorSettings, AfterGenerate) == 519);
static_assert(offsetof(TGeneratorSettings, TagPriority) == 520);
static_assert(offsetof(TGeneratorSettings, SelectedItems) == 521);
static_assert(offsetof(TGeneratorSettings, SelectedNames) == 528);
static_assert(sizeof(ShortString<ColumnNameLimit>) == 26);
static_assert(offsetof(TGeneratorSettings, Padding) == 710);
static_assert(offsetof(TGeneratorSettings, ActiveLinkColor) == 712);
static_assert(offsetof(TGeneratorSettings, DirNameColor) == 716);
static_assert(offsetof(TGeneratorSettings, HoverLinkColor) == 720);
static_assert(offsetof(TGeneratorSettings, PageBackColor) == 724);
static_assert(offsetof(TGeneratorSettings, CellBackColor) == 728);
static_assert(offsetof(TGeneratorSettings, HeaderBackColor) == 732);
static_assert(offsetof(TGeneratorSettings, PageTextColor) == 736);
static_assert(offsetof(TGeneratorSettings, PageCaption) == 740);

TGeneratorSettings emptySettings()
{
    TGeneratorSettings s;
    std::memset(&s, 0, sizeof s);
    return s;
}

std::string englishColumnName(int columnId)
{
    const ColumnKind* column = columnKind(columnId);
    return column ? column->englishHeader : "";
}

TGeneratorSettings initialFormSettings()
{
    TGeneratorSettings s = emptySettings();
    s.FileSizeUnit = fsKiloBytes;
    s.FileNameMode = fnNameOnly;
    s.AfterGenerate = agShowPage;
    s.TagPriority = tpID3v2First;
    for (int i = 0; i < ColumnSlots; ++i) {
        s.SelectedItems[i] = columnKinds()[i].id;
        s.SelectedNames[i] = columnKinds()[i].englishHeader;
    }
    s.PageBackColor.set(rgbColour(0, 0, 0));
    s.PageTextColor.set(rgbColour(255, 255, 255));
    s.DirNameColor.set(rgbColour(255, 0, 0));
    s.CellBackColor.set(rgbColour(255, 204, 0));
    s.HeaderBackColor.set(rgbColour(255, 153, 0));
    s.ActiveLinkColor.set(rgbColour(0, 0, 255));
    s.HoverLinkColor.set(rgbColour(0, 0, 255));
    return s;
}

TGeneratorSettings readSettingsFile(const std::string& path)
{
    using platform::InOutError;
    int err = 0;
    auto file = platform::ReadOnlyFile::tryOpen(path, err);
    if (!file)
        throw InOutError::fromSystem(err, path);
    TGeneratorSettings s;
    if (file->readAt(0, &s, sizeof s) != sizeof s)
        throw InOutError(InOutError::ReadBeyondEnd, path);
    return s;
}

void writeSettingsFile(const std::string& path, const TGeneratorSettings& settings)
{
    platform::AtomicFile file(path);
    file.write(reinterpret_cast<const char*>(&settings), sizeof settings);
    file.commit();
}
