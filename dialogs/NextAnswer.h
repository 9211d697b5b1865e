#pragma once
// How tests answer the program's next file or folder dialog in place of the user: the dialog is
// then not shown, and returns the answer as chosen. Window tests thus drive the commands that
// open dialogs without reaching into the dialogs' controls.
#include <optional>
#include <utility>

template <class Answer>
class NextAnswer {
public:
    void set(const Answer& answer) { answer_ = answer; }
    // The answer set, once; none when nobody set one.
    std::optional<Answer> take() { return std::exchange(answer_, std::nullopt); }

private:
    std::optional<Answer> answer_;
};
