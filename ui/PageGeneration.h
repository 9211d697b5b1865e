#pragma once
// The generator one run of Generate List uses, apart from the window's own: the record and the
// options the form gave, the column headers and the library page's words, in the window's
// language.
#include "ui/GenerationProgress.h"

#include "generator/tunesheet_class.h"

#include <QString>

struct HeldTexts;
class LanguageSession;
namespace Ui {
class TfrmMain;
}

void prepareGeneration(TTunesheet& generation, const TGeneratorSettings& settings, const PageOptions& options,
                       const Ui::TfrmMain& form, const LanguageSession& language);

// What the status line says after a run: that it was cancelled, or that a long plain page would
// open faster as the library page; empty otherwise.
QString noticeAfter(const GenerationOutcome& outcome, const PageOptions& options, const HeldTexts& texts);
