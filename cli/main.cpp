// tunesheet-cli: the page generator for scripts and scheduled jobs.
#include "cli/CliOptions.h"
#include "cli/ProgressLine.h"
#include "cli/SettingsText.h"
#include "generator/Preflight.h"
#include "generator/tunesheet_class.h"
#include "platform/Errors.h"
#include "platform/Path.h"
#include "platform/StopRequests.h"

#include "ProgramVersion.h"

#include <atomic>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {

// The signal that asked the run to stop; 0 while none has.
std::atomic<int> stopSignal{0};

extern "C" void onStopSignal(int signal)
{
    stopSignal = signal;
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

int usageError(const std::string& message)
{
    std::cerr << "tunesheet-cli: " << message << "\nTry 'tunesheet-cli --help' for more information." << std::endl;
    return 2;
}

int run(const std::vector<std::string>& args)
{
    CliCommand cmd;
    try {
        cmd = parseCommandLine(args, platform::currentDirectory());
    } catch (const CliUsageError& e) {
        return usageError(e.message);
    }
    for (const std::string& warning : cmd.warnings)
        std::cerr << "tunesheet-cli: " << warning << std::endl;

    switch (cmd.action) {
    case CliCommand::Action::Help:
        std::cout << helpText();
        return 0;
    case CliCommand::Action::Version:
        std::cout << "tunesheet-cli " << ProgramVersionText << "\n";
        return 0;
    case CliCommand::Action::PrintSettings:
        std::cout << describeSettings(cmd.settings, cmd.options);
        return 0;
    case CliCommand::Action::SaveSettings:
        writeSettingsFile(cmd.saveSettingsFile, cmd.settings);
        writeOptionsFile(optionsFileOf(cmd.saveSettingsFile), cmd.options);
        return 0;
    case CliCommand::Action::Generate:
        break;
    }

    if (cmd.settings.OutputFile.str().empty())
        return usageError("no output file given");
    if (cmd.settings.InputDir.str().empty())
        return usageError("no input directory given");
    switch (checkBeforeGenerate(cmd.settings, cmd.options)) {
    case PreflightResult::NoColumns: return fail(withLineBreaks(MsgNoColumnsText));
    case PreflightResult::NoInputDir: return fail(withLineBreaks(MsgNoInputDirText));
    case PreflightResult::Ready: break;
    }

    TTunesheet generator;
    generator.Settings = cmd.settings;
    generator.Options = cmd.options;
    ProgressLine progress(std::cerr, !cmd.quiet && ::isatty(STDERR_FILENO));
    std::uint64_t listed = 0;
    generator.OnProgress = [&progress, &listed](const GenerateProgress& p) {
        listed = p.filesListed;
        progress.show(p);
        return stopSignal.load() == 0;
    };
    // A closed terminal or session, Ctrl+C and a termination request stop the run between two
    // files, so that the old page stays and the temporary one is removed.
    platform::onStopRequests(onStopSignal);
    try {
        generator.Generate();
    } catch (const GenerationCancelled& e) {
        progress.finish();
        fail(e.what());
        return 128 + stopSignal.load();
    }
    progress.finish();
    if (cmd.options.page == PageKind::Plain && listed > PlainPageFilesAdvised && !cmd.quiet)
        std::cerr << "tunesheet-cli: " << listed << " files: the library page (--page library) opens a list this long faster"
                  << std::endl;
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
