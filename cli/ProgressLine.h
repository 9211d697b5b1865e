#pragma once
// The progress of a run on a terminal: how many files are listed and the folder being read,
// one line drawn over itself at most ten times a second and cleared at the end.
#include "generator/tunesheet_class.h"

#include <chrono>
#include <ostream>
#include <string>

class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    // Draws nothing unless `enabled` (a terminal that the user watches).
    ProgressLine(std::ostream& out, bool enabled) : out_(out), enabled_(enabled) {}
    ~ProgressLine() { finish(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Called for every file: a line that is not drawn costs not even a look at the clock.
    void show(const GenerateProgress& progress)
    {
        if (enabled_)
            show(progress, Clock::now());
    }
    void show(const GenerateProgress& progress, Clock::time_point now);
    // Clears the line, if one was drawn.
    void finish();

    // "12 files listed  /music/Rock/": a folder of more than 50 characters keeps its last 47
    // after "...", never cut inside a character.
    static std::string text(const GenerateProgress& progress);

private:
    std::ostream& out_;
    bool enabled_;
    bool drawn_ = false;
    Clock::time_point last_{};
};
