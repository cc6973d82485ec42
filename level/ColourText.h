#pragma once

#include <cstdint>
#include <string>

// Marker colours as people read them. A colour is the 32-bit display-layout word: alpha in
// the top byte, then red, green and blue.

// "#RRGGBB" (upper-case hex), alpha left out.
std::string hexColour(uint32_t colour);
// The alpha byte, 255 for fully opaque.
int alphaOf(uint32_t colour);
// "#RRGGBB", or "#RRGGBB alpha 128" when the colour is not fully opaque.
std::string colourText(uint32_t colour);
// The largest difference of any one channel, alpha included: 0 only for equal colours.
int channelDistance(uint32_t a, uint32_t b);
