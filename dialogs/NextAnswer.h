#pragma once
// How tests answer the program's next file or folder dialog in place of the user: the dialog is
// then not shown, and returns the answer as chosen (a null answer: cancelled). Window tests
// thus drive the commands that open dialogs without reaching into the dialogs' controls.
#include <QString>

#include <optional>
#include <utility>

class NextAnswer {
public:
    void set(const QString& answer) { answer_ = answer; }
    // The answer set, once; none when nobody set one.
    std::optional<QString> take() { return std::exchange(answer_, std::nullopt); }

private:
    std::optional<QString> answer_;
};
