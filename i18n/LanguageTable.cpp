#include "i18n/LanguageTable.h"

namespace {

constexpr LanguageTarget caption(int index, const char* name) { return {index, name, TextKind::Caption, -1, nullptr}; }
constexpr LanguageTarget hint(int index, const char* name) { return {index, name, TextKind::Hint, -1, nullptr}; }
constexpr LanguageTarget editLabel(int index, const char* name) { return {index, name, TextKind::EditLabel, -1, nullptr}; }
constexpr LanguageTarget item(int index, const char* name, int position) { return {index, name, TextKind::Item, position, nullptr}; }
constexpr LanguageTarget dialog(int index, const char* name, TextKind kind) { return {index, name, kind, -1, nullptr}; }
constexpr LanguageTarget held(int index, QString HeldTexts::*text) { return {index, nullptr, TextKind::Held, -1, text}; }

constexpr std::array<LanguageTarget, LanguageTextCount> targets = {{
    caption(1, "Main1"),
    caption(2, "Settings1"),
    caption(3, "Help1"),
    caption(4, "acHelpContents"),
    hint(5, "acHelpContents"),
    caption(6, "acAboutProgram"),
    hint(7, "acAboutProgram"),
    caption(8, "acAboutAuthor"),
    hint(9, "acAboutAuthor"),
    caption(10, "acTunesheetsHomepage"),
    hint(11, "acTunesheetsHomepage"),
    caption(12, "acInputDir"),
    hint(13, "acInputDir"),
    caption(14, "acOutputFile"),
    hint(15, "acOutputFile"),
    caption(16, "acGenerateList"),
    hint(17, "acGenerateList"),
    caption(18, "acExit"),
    hint(19, "acExit"),
    hint(20, "acCopyAll"),
    hint(21, "acCopySelected"),
    hint(22, "acRemoveSelected"),
    hint(23, "acRemoveAll"),
    hint(24, "acMoveUp"),
    hint(25, "acMoveDown"),
    caption(26, "acColors"),
    hint(27, "acColors"),
    caption(28, "acMainSettings"),
    hint(29, "acMainSettings"),
    caption(30, "acHTMLPSettings"),
    hint(31, "acHTMLPSettings"),
    caption(32, "acOrder"),
    hint(33, "acOrder"),
    caption(34, "acLoadSettings"),
    hint(35, "acLoadSettings"),
    caption(36, "acSaveSettings"),
    hint(37, "acSaveSettings"),
    dialog(38, "sdFile", TextKind::SaveFilter),
    dialog(39, "sdFile", TextKind::SaveTitle),
    dialog(40, "bdDir", TextKind::FolderCaption),
    editLabel(41, "lbledtInput"),
    hint(42, "lbledtInput"),
    editLabel(43, "lbledtOutput"),
    hint(44, "lbledtOutput"),
    caption(45, "chkIncludeSubdirectories"),
    hint(46, "chkIncludeSubdirectories"),
    caption(47, "Label14"),
    // The list reads "2.3 first" on top: its entries follow the stored byte (0 ID3v2 first,
    // 1 ID3v1 first), not the order of the two texts.
    item(48, "cmbID3TagPriority", 1),
    item(49, "cmbID3TagPriority", 0),
    hint(50, "cmbID3TagPriority"),
    caption(51, "Label13"),
    item(52, "cmbAfterGenerate", 0),
    item(53, "cmbAfterGenerate", 1),
    item(54, "cmbAfterGenerate", 2),
    hint(55, "cmbAfterGenerate"),
    caption(56, "chkDirOverTable"),
    hint(57, "chkDirOverTable"),
    caption(58, "chkAllDirsInOneTable"),
    hint(59, "chkAllDirsInOneTable"),
    caption(60, "chkWrap"),
    hint(61, "chkWrap"),
    caption(62, "Label1"),
    item(63, "cmbFileSizeIn", 0),
    item(64, "cmbFileSizeIn", 1),
    item(65, "cmbFileSizeIn", 2),
    hint(66, "cmbFileSizeIn"),
    caption(67, "Label2"),
    item(68, "cmbFileName", 0),
    item(69, "cmbFileName", 1),
    hint(70, "cmbFileName"),
    caption(71, "Label3"),
    item(72, "chklbActiveLinks", 0),
    item(73, "chklbActiveLinks", 1),
    item(74, "chklbActiveLinks", 2),
    hint(75, "chklbActiveLinks"),
    editLabel(76, "lbledtPageCaption"),
    hint(77, "lbledtPageCaption"),
    caption(78, "Label4"),
    hint(79, "cbxPageBackground"),
    caption(80, "Label5"),
    hint(81, "cbxPageText"),
    caption(82, "Label8"),
    hint(83, "cbxDirectoryName"),
    caption(84, "Label6"),
    hint(85, "cbxCellBackground"),
    caption(86, "Label7"),
    hint(87, "cbxHeaderBackground"),
    caption(88, "Label9"),
    hint(89, "cbxActiveLink"),
    caption(90, "Label10"),
    hint(91, "cbxMouseOverActiveLink"),
    caption(92, "Label11"),
    item(93, "lbAvailable", 0),
    item(94, "lbAvailable", 1),
    item(95, "lbAvailable", 2),
    item(96, "lbAvailable", 3),
    item(97, "lbAvailable", 4),
    item(98, "lbAvailable", 5),
    item(99, "lbAvailable", 6),
    hint(100, "lbAvailable"),
    caption(101, "Label12"),
    hint(102, "lbSelected"),
    held(103, &HeldTexts::MsgNoColumns),
    held(104, &HeldTexts::MsgNoInputDir),
    held(105, &HeldTexts::MsgShowPage),
    held(106, &HeldTexts::MsgItemSelected),
    held(107, &HeldTexts::TranslatedBy),
    caption(108, "acLanguage"),
    hint(109, "acLanguage"),
    held(110, &HeldTexts::MsgSelectLanguage),
    held(111, &HeldTexts::CaptionOK),
    held(112, &HeldTexts::CaptionCancel),
    held(113, &HeldTexts::MsgRestart),
}};

// The table is addressed by position; a line left out or doubled would shift every later text.
constexpr bool inIndexOrder()
{
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (targets[i].index != static_cast<int>(i) + 1)
            return false;
    return true;
}
static_assert(inIndexOrder(), "the language table must list indices 1 to 113 in order");

} // namespace

const std::array<LanguageTarget, LanguageTextCount>& languageTargets()
{
    return targets;
}
