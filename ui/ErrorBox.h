#pragma once
// The one place where a failure that escaped a command is shown to the user: the standard
// error box (critical icon, title "tunesheet", the error's own message).
#include <QString>

#include <exception>
#include <functional>
#include <initializer_list>
#include <utility>

void showErrorBox(const std::exception& error);
// For a failure that carries no message of its own.
void showUnknownErrorBox();
void setUnknownErrorText(const QString& text);

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

// Runs every one of `steps`, the later ones also when an earlier one failed, and shows the
// first failure, once.
void guardedEach(std::initializer_list<std::function<void()>> steps);
