#pragma once
// The dialog that asks for the output file: a page by default, or an export of the list as CSV
// or JSON Lines, each type named in the window's language.
struct HeldTexts;
class QWidget;
class TSaveDialog;

TSaveDialog* makeOutputFileDialog(QWidget* parent);
void showOutputFileTexts(TSaveDialog& dialog, const HeldTexts& texts);
