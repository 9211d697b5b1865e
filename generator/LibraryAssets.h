#pragma once
// The library page's own style sheet, scripts and shell, embedded at build time from the files
// in generator/library/.
#include <cstddef>
#include <string_view>

// The shell is text, then what the program writes at `marker`, text, ...; the last piece has no
// marker.
struct ShellPiece {
    std::string_view text;
    std::string_view marker;
};

extern const std::string_view LibraryStyle;
extern const std::string_view LibraryScript;
extern const ShellPiece LibraryShell[];
extern const std::size_t LibraryShellPieces;
