#pragma once
// Copies the main window's settings controls into the settings record and back.
#include "generator/GeneratorSettings.h"

namespace Ui {
class TfrmMain;
}

// Form to record: the two paths with the bytes the fields were given unless the user changed
// them, texts cut to their field (at a character boundary), check boxes as 0/1,
// drop-down lists as the low byte of their index (255 for none), the active-link bits, the
// colours and the column slots (the chosen columns packed from slot 0, then empty slots).
void formToSettings(const Ui::TfrmMain& form, TGeneratorSettings& settings);

// The first column slot whose id names no column; -1 when every slot names one or is empty.
int unknownColumnSlot(const TGeneratorSettings& settings);

// Record to form. A drop-down value beyond its list leaves that list without a selection; the
// selected columns are rebuilt from the column names of the available list, each column once.
// A column id beyond the columns (the loading repairs such a record first) raises the list-index
// error ("List index out of bounds (N)", N the id minus 1) before anything changes.
void settingsToForm(const TGeneratorSettings& settings, Ui::TfrmMain& form);
