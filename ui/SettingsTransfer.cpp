#include "ui/SettingsTransfer.h"

#include "ui/ColourBox.h"
#include "ui/ItemsOrder.h"
#include "ui/LegacyEncodingBox.h"
#include "ui/PathText.h"
#include "ui_unMain.h"

#include "desktop/LocalText.h"
#include "platform/Errors.h"

#include <QComboBox>
#include <QListWidget>

namespace {

std::uint8_t indexByte(const QComboBox* list)
{
    return static_cast<std::uint8_t>(list->currentIndex() & 0xFF);
}

void selectIndex(QComboBox* list, std::uint8_t index)
{
    list->setCurrentIndex(index < list->count() ? index : -1);
}

// The columns that can be links, in the order of the check list's items.
std::vector<std::uint8_t> linkBits()
{
    std::vector<std::uint8_t> bits;
    for (const ColumnKind& column : columnKinds())
        if (column.linkBit != 0)
            bits.push_back(column.linkBit);
    return bits;
}

void formToColumns(const Ui::TfrmMain& form, TGeneratorSettings& s, PageOptions& options)
{
    options.columns.clear();
    int slot = 0;
    for (int row = 0; row < form.lbSelected->count(); ++row) {
        const QString name = form.lbSelected->item(row)->text();
        const auto id = static_cast<std::uint8_t>(columnIdOf(*form.lbAvailable, name));
        if (id != ciNone)
            options.columns.push_back(id);
        if (id <= RecordColumnKinds && slot < ColumnSlots) {
            s.SelectedNames[slot] = toLocalBytes(name);
            s.SelectedItems[slot++] = id;
        }
    }
    for (; slot < ColumnSlots; ++slot) {
        s.SelectedNames[slot].length = 0;
        s.SelectedItems[slot] = ciNone;
    }
}

// The page kind's list holds the kinds in their order: plain, library.
void pageKindToForm(const PageOptions& options, Ui::TfrmMain& form)
{
    form.cmbPageKind->setCurrentIndex(options.page == PageKind::Library ? 1 : 0);
}

void columnsToForm(const TGeneratorSettings& s, const PageOptions& options, Ui::TfrmMain& form)
{
    if (pageUsesList(options.columns, s))
        listColumns(*form.lbAvailable, *form.lbSelected, options.columns);
    else
        listColumns(*form.lbAvailable, *form.lbSelected, {s.SelectedItems, s.SelectedItems + ColumnSlots});
}

struct ColourField {
    ColourBox* Ui::TfrmMain::*box;
    Colour TGeneratorSettings::*field;
};

const ColourField colourFields[] = {
    {&Ui::TfrmMain::cbxActiveLink, &TGeneratorSettings::ActiveLinkColor},
    {&Ui::TfrmMain::cbxDirectoryName, &TGeneratorSettings::DirNameColor},
    {&Ui::TfrmMain::cbxMouseOverActiveLink, &TGeneratorSettings::HoverLinkColor},
    {&Ui::TfrmMain::cbxPageBackground, &TGeneratorSettings::PageBackColor},
    {&Ui::TfrmMain::cbxCellBackground, &TGeneratorSettings::CellBackColor},
    {&Ui::TfrmMain::cbxHeaderBackground, &TGeneratorSettings::HeaderBackColor},
    {&Ui::TfrmMain::cbxPageText, &TGeneratorSettings::PageTextColor},
};

} // namespace

void formToSettings(const Ui::TfrmMain& form, TGeneratorSettings& s, PageOptions& options)
{
    s.InputDir = pathBytes(form.lbledtInput);
    s.OutputFile = pathBytes(form.lbledtOutput);
    s.IncludeSubdirs = form.chkIncludeSubdirectories->isChecked();
    s.FileSizeUnit = indexByte(form.cmbFileSizeIn);
    s.FileNameMode = indexByte(form.cmbFileName);
    s.DirOverTable = form.chkDirOverTable->isChecked();
    s.AllDirsInOneTable = form.chkAllDirsInOneTable->isChecked();
    s.Wrap = form.chkWrap->isChecked();
    s.ActiveLinks = 0;
    const auto bits = linkBits();
    for (int i = 0; i < form.chklbActiveLinks->count() && i < int(bits.size()); ++i)
        if (form.chklbActiveLinks->item(i)->checkState() == Qt::Checked)
            s.ActiveLinks |= bits[i];
    s.AfterGenerate = indexByte(form.cmbAfterGenerate);
    s.TagPriority = indexByte(form.cmbID3TagPriority);
    formToColumns(form, s, options);
    options.page = form.cmbPageKind->currentIndex() == 1 ? PageKind::Library : PageKind::Plain;
    options.legacyEncoding = selectedLegacyEncoding(*form.cmbLegacyEncoding);
    for (const ColourField& c : colourFields)
        (s.*c.field).set((form.*c.box)->colour());
    s.PageCaption = toLocalBytes(form.lbledtPageCaption->text());
}

ColumnHeaders columnHeadersOf(const Ui::TfrmMain& form)
{
    ColumnHeaders headers;
    for (int row = 0; row < form.lbAvailable->count() && row < ColumnCount; ++row)
        headers[static_cast<std::size_t>(row + 1)] = toLocalBytes(form.lbAvailable->item(row)->text());
    return headers;
}

int unknownColumnSlot(const TGeneratorSettings& s)
{
    for (int slot = 0; slot < ColumnSlots; ++slot)
        if (s.SelectedItems[slot] > RecordColumnKinds)
            return slot;
    return -1;
}

void settingsToForm(const TGeneratorSettings& s, const PageOptions& options, Ui::TfrmMain& form)
{
    if (const int slot = unknownColumnSlot(s); slot >= 0)
        throw platform::ListIndexError(s.SelectedItems[slot] - 1);
    setPathText(form.lbledtInput, s.InputDir.str());
    setPathText(form.lbledtOutput, s.OutputFile.str());
    form.chkIncludeSubdirectories->setChecked(s.IncludeSubdirs);
    selectIndex(form.cmbFileSizeIn, s.FileSizeUnit);
    selectIndex(form.cmbFileName, s.FileNameMode);
    form.chkDirOverTable->setChecked(s.DirOverTable);
    form.chkAllDirsInOneTable->setChecked(s.AllDirsInOneTable);
    form.chkWrap->setChecked(s.Wrap);
    const auto bits = linkBits();
    for (int i = 0; i < form.chklbActiveLinks->count() && i < int(bits.size()); ++i)
        form.chklbActiveLinks->item(i)->setCheckState((s.ActiveLinks & bits[i]) ? Qt::Checked : Qt::Unchecked);
    selectIndex(form.cmbAfterGenerate, s.AfterGenerate);
    selectIndex(form.cmbID3TagPriority, s.TagPriority);
    columnsToForm(s, options, form);
    pageKindToForm(options, form);
    selectLegacyEncoding(*form.cmbLegacyEncoding, options.legacyEncoding);
    for (const ColourField& c : colourFields)
        (form.*c.box)->setColour((s.*c.field).get());
    form.lbledtPageCaption->setText(fromLocalBytes(s.PageCaption.str()));
}
