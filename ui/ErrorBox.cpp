#include "ui/ErrorBox.h"

#include "ui/PathText.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "platform/Errors.h"

#include <QApplication>

namespace {

struct Words {
    ErrorTexts errors;
    QString unknown = QStringLiteral("Unknown error");
};

Words& words()
{
    static Words w;
    return w;
}

const QString* kindText(platform::ErrorKind kind, const ErrorTexts& t)
{
    using platform::ErrorKind;
    switch (kind) {
    case ErrorKind::CannotOpen: return &t.CannotOpen;
    case ErrorKind::CannotCreate: return &t.CannotCreate;
    case ErrorKind::ReadFailed: return &t.ReadFailed;
    case ErrorKind::ReadBeyondEnd: return &t.ReadBeyondEnd;
    case ErrorKind::DiskFull: return &t.DiskFull;
    case ErrorKind::System: return &t.System;
    case ErrorKind::ListIndex: return &t.Internal;
    case ErrorKind::Other: return nullptr;
    }
    return nullptr;
}

// The cause of a system error in the language's words where it has some, else the system's own.
QString causeText(int systemCode, const ErrorTexts& t)
{
    using platform::SystemCause;
    switch (platform::systemCause(systemCode)) {
    case SystemCause::NotFound: return t.NotFound;
    case SystemCause::AccessDenied: return t.AccessDenied;
    case SystemCause::DiskFull: return t.NoSpace;
    case SystemCause::ReadOnlyDisk: return t.ReadOnlyDisk;
    case SystemCause::IsFolder: return t.IsFolder;
    case SystemCause::NameTooLong: return t.NameTooLong;
    case SystemCause::InputOutput: return t.InputOutput;
    case SystemCause::Other: break;
    }
    return fromLocalBytes(platform::systemErrorText(systemCode));
}

} // namespace

QString errorMessage(const std::exception& error, const ErrorTexts& texts)
{
    const auto* known = dynamic_cast<const platform::TunesheetError*>(&error);
    const QString* text = known ? kindText(known->kind(), texts) : nullptr;
    const bool aboutFile = known && !known->file().empty();
    if (!text || (!aboutFile && text->contains(QStringLiteral("%1"))))
        return known && known->systemCode() != 0 ? causeText(known->systemCode(), texts) : fromLocalBytes(error.what());
    QString message = aboutFile ? text->arg(pathForDisplay(known->file())) : *text;
    if (known->systemCode() != 0)
        message += QLatin1Char('\r') + causeText(known->systemCode(), texts);
    return message;
}

void showErrorBox(const std::exception& error)
{
    DesktopServices::instance().message(QApplication::activeWindow(), QMessageBox::Critical,
                                        errorMessage(error, words().errors));
}

void setErrorTexts(const ErrorTexts& texts, const QString& unknownError)
{
    words() = {texts, unknownError};
}

void runEach(std::initializer_list<std::function<void()>> steps)
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
    if (failure)
        std::rethrow_exception(failure);
}

void guardedEach(std::initializer_list<std::function<void()>> steps)
{
    guarded([steps] { runEach(steps); })();
}

void showUnknownErrorBox()
{
    DesktopServices::instance().message(QApplication::activeWindow(), QMessageBox::Critical, words().unknown);
}
