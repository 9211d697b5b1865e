#include "ui/OutputFileDialog.h"

#include "dialogs/SaveDialog.h"
#include "i18n/HeldTexts.h"

TSaveDialog* makeOutputFileDialog(QWidget* parent)
{
    auto* dialog = new TSaveDialog(parent);
    dialog->setObjectName(QStringLiteral("sdFile"));
    dialog->setWindowTitle(QStringLiteral("Select an output HTML file..."));
    dialog->setFilter(QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
    dialog->setDefaultSuffix(QStringLiteral("htm"));
    return dialog;
}

void showOutputFileTexts(TSaveDialog& dialog, const HeldTexts& texts)
{
    dialog.Texts = texts.Save;
    // The places at the left keep the names they got when the dialog was made; Qt's own
    // language may have changed since.
    dialog.setSidebarUrls(dialog.sidebarUrls());
    const auto& types = texts.OutputTypes;
    dialog.setLeadingTypes(types.Page + " (*.htm; *.html)|*.htm; *.html|" + types.Csv + " (*.csv)|*.csv|" +
                           types.JsonLines + " (*.jsonl)|*.jsonl");
}
