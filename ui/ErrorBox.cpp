#include "ui/ErrorBox.h"

#include "dialogs/DesktopServices.h"

#include <QApplication>

void showErrorBox(const std::exception& error)
{
    DesktopServices::instance().message(QApplication::activeWindow(), QMessageBox::Critical,
                                        QString::fromLocal8Bit(error.what()));
}

void showUnknownErrorBox()
{
    DesktopServices::instance().message(QApplication::activeWindow(), QMessageBox::Critical,
                                        QStringLiteral("Unknown error"));
}
