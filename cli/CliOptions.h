#pragma once
// The command line of tunesheet-cli, turned into a settings record and what to do with it.
#include "generator/GeneratorSettings.h"
#include "generator/PageOptions.h"

#include <string>
#include <vector>

struct CliCommand {
    enum class Action { Generate, PrintSettings, SaveSettings, Help, Version };
    Action action = Action::Generate;
    TGeneratorSettings settings = initialFormSettings();
    PageOptions options;
    std::string saveSettingsFile;
    bool quiet = false;
    // What could not be used of the options file, each a line for standard error.
    std::vector<std::string> warnings;
};

// A usage error: exit code 2, the message followed by a hint to --help.
struct CliUsageError {
    std::string message;
};

// Reads `args` (without the program name). `--settings FILE` is applied first wherever it
// stands, with the options file beside it, so the other options always refine what they hold.
// Raises CliUsageError for a malformed command line and the settings file's own error when it
// (or its options file) cannot be read; a value of the options file that cannot be used is a
// warning, its default standing in.
CliCommand parseCommandLine(const std::vector<std::string>& args, const std::string& currentDir);

std::string helpText();
