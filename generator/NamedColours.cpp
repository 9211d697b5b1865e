#include "generator/NamedColours.h"

#include "generator/GeneratorSettings.h"

#include <cctype>

const std::vector<NamedColour>& namedColours()
{
    static const std::vector<NamedColour> colours = {
        {"Black", rgbColour(0x00, 0x00, 0x00)},   {"Maroon", rgbColour(0x80, 0x00, 0x00)},
        {"Green", rgbColour(0x00, 0x80, 0x00)},   {"Olive", rgbColour(0x80, 0x80, 0x00)},
        {"Navy", rgbColour(0x00, 0x00, 0x80)},    {"Purple", rgbColour(0x80, 0x00, 0x80)},
        {"Teal", rgbColour(0x00, 0x80, 0x80)},    {"Gray", rgbColour(0x80, 0x80, 0x80)},
        {"Silver", rgbColour(0xC0, 0xC0, 0xC0)},  {"Red", rgbColour(0xFF, 0x00, 0x00)},
        {"Lime", rgbColour(0x00, 0xFF, 0x00)},    {"Yellow", rgbColour(0xFF, 0xFF, 0x00)},
        {"Blue", rgbColour(0x00, 0x00, 0xFF)},    {"Fuchsia", rgbColour(0xFF, 0x00, 0xFF)},
        {"Aqua", rgbColour(0x00, 0xFF, 0xFF)},    {"White", rgbColour(0xFF, 0xFF, 0xFF)},
        {"Money Green", rgbColour(0xC0, 0xDC, 0xC0)}, {"Sky Blue", rgbColour(0xA6, 0xCA, 0xF0)},
        {"Cream", rgbColour(0xFF, 0xFB, 0xF0)},   {"Medium Gray", rgbColour(0xA4, 0xA0, 0xA0)},
    };
    return colours;
}

static std::string nameKey(const std::string& text)
{
    std::string key;
    for (char c : text)
        if (c != ' ' && c != '-' && c != '_')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool parseColour(const std::string& text, std::uint32_t& value)
{
    if (text.size() == 7 && text[0] == '#') {
        std::uint32_t rgb = 0;
        for (std::size_t i = 1; i < 7; ++i) {
            int c = std::tolower(static_cast<unsigned char>(text[i]));
            if (!std::isxdigit(c))
                return false;
            rgb = rgb * 16 + static_cast<std::uint32_t>(std::isdigit(c) ? c - '0' : c - 'a' + 10);
        }
        value = rgbColour(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
        return true;
    }
    const std::string key = nameKey(text);
    for (const NamedColour& c : namedColours()) {
        if (nameKey(c.name) == key) {
            value = c.value;
            return true;
        }
    }
    return false;
}
