#pragma once
// The number and time separators of the user's locale.
#include <string>

namespace platform {

struct LocaleSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
    std::string time = ":";
};

// Read once from the user's locale; an empty value falls back to ".", "," and ":".
const LocaleSeparators& localeSeparators();

} // namespace platform
