#pragma once
// The number and time separators of the user's locale, as UTF-8 text (the narrow text on
// Windows), each whole.
#include <string>

namespace platform {

struct LocaleSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
    std::string time = ":";
};

// Read once from the user's locale.
const LocaleSeparators& localeSeparators();

// The separators from what a locale says: the decimal separator ("." when it has none); the
// thousands separator of numbers, else of money, else (or when it is the decimal separator)
// "." after a decimal "," and "," otherwise; the time separator when it is one ASCII
// punctuation character, ":" otherwise.
LocaleSeparators chooseSeparators(const std::string& decimal, const std::string& numericThousands,
                                  const std::string& monetaryThousands, const std::string& time);

#ifndef _WIN32
// The separators of the named locale ("" for the user's, from the environment). A category the
// system has no data for counts as the C locale's.
LocaleSeparators localeSeparatorsOf(const std::string& localeName);

// What a time format (strftime's) puts between hours and minutes; empty when nothing does.
std::string hourMinuteSeparator(const std::string& timeFormat);
#endif

} // namespace platform
