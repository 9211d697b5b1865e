#pragma once
// The author's block of the About Author command. Not translated. (The program's home page is
// its guide, which the window finds beside the executable.)

// Lines are separated by a lone carriage return, as in every message of the program.
inline constexpr const char* AuthorText =
    "Korvan\r"
    "\r"
    "* 14.05.1979";
