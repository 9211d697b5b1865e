#pragma once
// The one place where a failure that escaped a command is shown to the user: the standard
// error box (critical icon, title "tunesheet"), with the error worded in the user's language
// where the program knows what failed, else with the error's own message.
#include "i18n/HeldTexts.h"

#include <QString>

#include <exception>
#include <functional>
#include <initializer_list>
#include <utility>

void showErrorBox(const std::exception& error);
// For a failure that carries no message of its own.
void showUnknownErrorBox();
// The words of the language in use.
void setErrorTexts(const ErrorTexts& texts, const QString& unknownError);

// What the error box says about `error`: for one of the core's errors, the language's words
// for its kind with its file (as the window shows paths), then the cause on a line of its own.
QString errorMessage(const std::exception& error, const ErrorTexts& texts);

// Wraps a command handler so that its failure ends in the error box instead of unwinding
// through the widget code that called it.
template <class Handler>
auto guarded(Handler handler)
{
    return [handler = std::move(handler)](auto&&... args) {
        try {
            handler(std::forward<decltype(args)>(args)...);
        } catch (const std::exception& e) {
            showErrorBox(e);
        } catch (...) {
            showUnknownErrorBox();
        }
    };
}

// Runs every one of `steps`, the later ones also when an earlier one failed, and raises the
// first failure again.
void runEach(std::initializer_list<std::function<void()>> steps);
// The same, showing the first failure, once.
void guardedEach(std::initializer_list<std::function<void()>> steps);
