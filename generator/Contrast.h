#pragma once
// Text colours that stay readable on their background.
#include <cstdint>

// The contrast ratio of two colours (1 to 21), as the Web Content Accessibility Guidelines
// define it; colours as in the settings record (red in the low byte).
double contrastRatio(std::uint32_t a, std::uint32_t b);

// `text` when it reaches a contrast of 4.5:1 on `background`; otherwise `text` moved toward
// black or white, by the least step that reaches it (toward the extreme that reaches it at all,
// the one on text's side of the background first); the extreme of the higher contrast when
// neither does.
std::uint32_t readableOn(std::uint32_t text, std::uint32_t background);
