#pragma once
// The command line of tunesheet-cli, turned into a settings record and what to do with it.
#include "generator/GeneratorSettings.h"
#include "generator/LibraryPage.h"

#include <string>
#include <vector>

struct CliCommand {
    enum class Action { Generate, PrintSettings, SaveSettings, Help, Version };
    Action action = Action::Generate;
    TGeneratorSettings settings = initialFormSettings();
    std::string saveSettingsFile;
    PageKind page = PageKind::Plain;
    bool quiet = false;
};

// A usage error: exit code 2, the message followed by a hint to --help.
struct CliUsageError {
    std::string message;
};

// Reads `args` (without the program name). `--settings FILE` is applied first wherever it
// stands, so the other options always refine the loaded record. Raises CliUsageError for a
// malformed command line and the settings file's own error when it cannot be read.
CliCommand parseCommandLine(const std::vector<std::string>& args, const std::string& currentDir);

std::string helpText();
