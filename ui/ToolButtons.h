#pragma once
// The main window's buttons: the tool bar buttons get names of their own and small icons and
// show their hints in the status line only; the six glyph buttons of the items-order page
// show their actions' hints as tool tips too.
namespace Ui {
class TfrmMain;
}

void prepareToolButtons(Ui::TfrmMain& form);
