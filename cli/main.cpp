// tunesheet-cli: the page generator for scripts and scheduled jobs.
#include "cli/CliOptions.h"
#include "cli/SettingsText.h"
#include "generator/Preflight.h"
#include "generator/tunesheet_class.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int)
{
    interrupted = true;
}

// A message whose lines are split by a lone carriage return, as the window's texts are.
std::string withLineBreaks(std::string text)
{
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    return text;
}

int fail(const std::string& message)
{
    std::cerr << "tunesheet-cli: " << message << std::endl;
    return 1;
}

// Progress on a terminal: the count and the folder, redrawn at most ten times a second.
class ProgressLine {
public:
    explicit ProgressLine(bool enabled) : enabled_(enabled) {}
    ~ProgressLine() { finish(); }

    void show(const GenerateProgress& p)
    {
        auto now = std::chrono::steady_clock::now();
        if (!enabled_ || now - last_ < std::chrono::milliseconds(100))
            return;
        last_ = now;
        std::string dir = p.currentDir;
        if (dir.size() > 50)
            dir = "..." + dir.substr(dir.size() - 47);
        std::fprintf(stderr, "\r\033[K%llu files listed  %s", static_cast<unsigned long long>(p.filesListed), dir.c_str());
        drawn_ = true;
    }
    void finish()
    {
        if (drawn_)
            std::fprintf(stderr, "\r\033[K");
        drawn_ = false;
    }

private:
    bool enabled_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_{};
};

int run(const std::vector<std::string>& args)
{
    CliCommand cmd;
    try {
        cmd = parseCommandLine(args, platform::currentDirectory());
    } catch (const CliUsageError& e) {
        std::cerr << "tunesheet-cli: " << e.message << "\nTry 'tunesheet-cli --help' for more information." << std::endl;
        return 2;
    }

    switch (cmd.action) {
    case CliCommand::Action::Help:
        std::cout << helpText();
        return 0;
    case CliCommand::Action::Version:
        std::cout << "tunesheet-cli 3.0.0.0\n";
        return 0;
    case CliCommand::Action::PrintSettings:
        std::cout << describeSettings(cmd.settings);
        return 0;
    case CliCommand::Action::SaveSettings:
        writeSettingsFile(cmd.saveSettingsFile, cmd.settings);
        return 0;
    case CliCommand::Action::Generate:
        break;
    }

    if (cmd.settings.OutputFile.str().empty()) {
        std::cerr << "tunesheet-cli: no output file given\nTry 'tunesheet-cli --help' for more information." << std::endl;
        return 2;
    }
    switch (checkBeforeGenerate(cmd.settings)) {
    case PreflightResult::NoColumns: return fail(withLineBreaks(MsgNoColumnsText));
    case PreflightResult::NoInputDir: return fail(withLineBreaks(MsgNoInputDirText));
    case PreflightResult::Ready: break;
    }

    TTunesheet generator;
    generator.Settings = cmd.settings;
    ProgressLine progress(!cmd.quiet && ::isatty(STDERR_FILENO));
    generator.OnProgress = [&progress](const GenerateProgress& p) {
        progress.show(p);
        return !interrupted.load();
    };
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    try {
        generator.Generate();
    } catch (const platform::GenerationCancelled& e) {
        progress.finish();
        fail(e.what());
        return 130;
    }
    progress.finish();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return run(args);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
