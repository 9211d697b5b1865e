#include "generator/Contrast.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double LeastContrast = 4.5;
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t White = 0xFFFFFF;

double channel(std::uint32_t colour, int shift)
{
    const double c = ((colour >> shift) & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(std::uint32_t colour)
{
    return 0.2126 * channel(colour, 0) + 0.7152 * channel(colour, 8) + 0.0722 * channel(colour, 16);
}

// `from` moved `step`/255 of the way to `to`, channel by channel.
std::uint32_t mix(std::uint32_t from, std::uint32_t to, int step)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        const int c = a + static_cast<int>(std::lround((b - a) * step / 255.0));
        out |= static_cast<std::uint32_t>(c) << shift;
    }
    return out;
}

// The first colour on the way from `text` to `extreme` that is readable, or 0xFFFFFFFF.
std::uint32_t readableToward(std::uint32_t text, std::uint32_t extreme, std::uint32_t background)
{
    for (int step = 1; step <= 255; ++step) {
        const std::uint32_t c = mix(text, extreme, step);
        if (contrastRatio(c, background) >= LeastContrast)
            return c;
    }
    return 0xFFFFFFFF;
}

} // namespace

double contrastRatio(std::uint32_t a, std::uint32_t b)
{
    const double la = luminance(a), lb = luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

std::uint32_t readableOn(std::uint32_t text, std::uint32_t background)
{
    text &= 0xFFFFFF;
    background &= 0xFFFFFF;
    if (contrastRatio(text, background) >= LeastContrast)
        return text;
    const bool lighter = luminance(text) >= luminance(background);
    const std::uint32_t first = lighter ? White : Black, second = lighter ? Black : White;
    for (std::uint32_t extreme : {first, second})
        if (const std::uint32_t c = readableToward(text, extreme, background); c != 0xFFFFFFFF)
            return c;
    return contrastRatio(White, background) >= contrastRatio(Black, background) ? White : Black;
}
