#pragma once
// The author's block of the About Author command and the program's homepage. Not translated.

// Lines are separated by a lone carriage return, as in every message of the program.
inline constexpr const char* AuthorText =
    "Korvan\r"
    "\r"
    "* 14.05.1979\r"
    "\r"
    "korvan@example.com\r"
    "https://korvan.example.com/\r"
    "\r"
    "https://tunesheet.example.org/\r"
    "https://tunesheet.example.org/languages/\r"
    "https://tunesheet.example.org/help/";

inline constexpr const char* ProgramHomepage = "https://tunesheet.example.org/";
