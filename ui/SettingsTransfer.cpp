#include "ui/SettingsTransfer.h"

#include "ui/ColourBox.h"
#include "ui/ItemsOrder.h"
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

// Active-link bit of each item of the check list, in item order.
constexpr std::uint8_t linkBits[] = {alArtist, alTitle, alFileName};

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

void formToSettings(const Ui::TfrmMain& form, TGeneratorSettings& s)
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
    for (int i = 0; i < form.chklbActiveLinks->count() && i < 3; ++i)
        if (form.chklbActiveLinks->item(i)->checkState() == Qt::Checked)
            s.ActiveLinks |= linkBits[i];
    s.AfterGenerate = indexByte(form.cmbAfterGenerate);
    s.TagPriority = indexByte(form.cmbID3TagPriority);
    for (int slot = 0; slot < ColumnSlots; ++slot) {
        if (slot < form.lbSelected->count()) {
            const QString name = form.lbSelected->item(slot)->text();
            s.SelectedNames[slot] = toLocalBytes(name);
            s.SelectedItems[slot] = static_cast<std::uint8_t>(columnIdOf(*form.lbAvailable, name));
        } else {
            s.SelectedNames[slot].length = 0;
            s.SelectedItems[slot] = ciNone;
        }
    }
    for (const ColourField& c : colourFields)
        (s.*c.field).set((form.*c.box)->colour());
    s.PageCaption = toLocalBytes(form.lbledtPageCaption->text());
}

int unknownColumnSlot(const TGeneratorSettings& s)
{
    for (int slot = 0; slot < ColumnSlots; ++slot)
        if (s.SelectedItems[slot] > ciFileName)
            return slot;
    return -1;
}

void settingsToForm(const TGeneratorSettings& s, Ui::TfrmMain& form)
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
    for (int i = 0; i < form.chklbActiveLinks->count() && i < 3; ++i)
        form.chklbActiveLinks->item(i)->setCheckState((s.ActiveLinks & linkBits[i]) ? Qt::Checked : Qt::Unchecked);
    selectIndex(form.cmbAfterGenerate, s.AfterGenerate);
    selectIndex(form.cmbID3TagPriority, s.TagPriority);
    form.lbSelected->clear();
    bool listed[ColumnSlots + 1] = {};
    for (std::uint8_t id : s.SelectedItems) {
        // An edited file may name a column twice; the list holds each column once.
        if (id == ciNone || listed[id] || id > form.lbAvailable->count())
            continue;
        listed[id] = true;
        form.lbSelected->addItem(form.lbAvailable->item(id - 1)->text());
    }
    for (const ColourField& c : colourFields)
        (form.*c.box)->setColour((s.*c.field).get());
    form.lbledtPageCaption->setText(fromLocalBytes(s.PageCaption.str()));
}
