#pragma once
// The colours offered by name: the sixteen standard colours and four extended ones.
#include <cstdint>
#include <string>
#include <vector>

struct NamedColour {
    const char* name;     // as shown to the user, "Sky Blue"
    std::uint32_t value;  // red in the low byte
};

const std::vector<NamedColour>& namedColours();

// The colour a text names: "#RRGGBB" or a colour's name, in any letter case, blanks and
// hyphens ignored ("sky-blue", "SkyBlue"). False when it names none.
bool parseColour(const std::string& text, std::uint32_t& value);
