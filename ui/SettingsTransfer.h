#pragma once
// Copies the main window's settings controls into the settings record and back.
#include "generator/GeneratorSettings.h"
#include "generator/PageColumns.h"
#include "generator/PageOptions.h"

namespace Ui {
class TfrmMain;
}

// Form to record: the two paths with the bytes the fields were given unless the user changed
// them, texts cut to their field (at a character boundary), check boxes as 0/1,
// drop-down lists as the low byte of their index (255 for none), the active-link bits, the
// colours and the column slots: the chosen columns of the record's kinds (and any the list of
// all columns does not know) packed from slot 0, then empty slots. The options take the whole
// list of chosen columns.
void formToSettings(const Ui::TfrmMain& form, TGeneratorSettings& settings, PageOptions& options);

// The columns' headers as the window's list of all columns shows them, in its language.
ColumnHeaders columnHeadersOf(const Ui::TfrmMain& form);

// The first column slot whose id names no column; -1 when every slot names one or is empty.
int unknownColumnSlot(const TGeneratorSettings& settings);

// Record to form. A drop-down value beyond its list leaves that list without a selection; the
// selected columns are rebuilt from the column names of the available list, each column once:
// the options' list while it agrees with the record, else the record's slots. A column id
// beyond the record's columns (the loading repairs such a record first) raises the list-index
// error ("List index out of bounds (N)", N the id minus 1) before anything changes.
void settingsToForm(const TGeneratorSettings& settings, const PageOptions& options, Ui::TfrmMain& form);
