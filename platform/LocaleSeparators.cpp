#include "platform/LocaleSeparators.h"

namespace platform {

namespace {

bool isAsciiPunctuation(char c)
{
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
}

} // namespace

LocaleSeparators chooseSeparators(const std::string& decimal, const std::string& numericThousands,
                                  const std::string& monetaryThousands, const std::string& time)
{
    LocaleSeparators seps;
    if (!decimal.empty())
        seps.decimal = decimal;
    seps.thousands = !numericThousands.empty() ? numericThousands : monetaryThousands;
    // Grouping with the decimal separator would make 1,536 and 1,536.00 the same text.
    if (seps.thousands.empty() || seps.thousands == seps.decimal)
        seps.thousands = seps.decimal == "," ? "." : ",";
    seps.time = time.size() == 1 && isAsciiPunctuation(time[0]) ? time : ":";
    return seps;
}

} // namespace platform
