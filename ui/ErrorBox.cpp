#include "ui/ErrorBox.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"

#include <QApplication>

void showErrorBox(const std::exception& error)
{
    DesktopServices::instance().message(QApplication::activeWindow(), QMessageBox::Critical,
                                        fromLocalBytes(error.what()));
}

namespace {
QString& unknownErrorText()
{
    static QString text = QStringLiteral("Unknown error");
    return text;
}
} // namespace

void setUnknownErrorText(const QString& text)
{
    unknownErrorText() = text;
}

void guardedEach(std::initializer_list<std::function<void()>> steps)
{
    std::exception_ptr failure;
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    guarded([failure] {
        if (failure)
            std::rethrow_exception(failure);
    })();
}

void showUnknownErrorBox()
{
    DesktopServices::instance().message(QApplication::activeWindow(), QMessageBox::Critical, unknownErrorText());
}
