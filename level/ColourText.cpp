#include "level/ColourText.h"

#include <cstdio>
#include <cstdlib>

std::string hexColour(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(colour & 0xFFFFFFu));
    return text;
}

int alphaOf(uint32_t colour) {
    return int(colour >> 24);
}

std::string colourText(uint32_t colour) {
    const int alpha = alphaOf(colour);
    return alpha == 255 ? hexColour(colour) : hexColour(colour) + " alpha " + std::to_string(alpha);
}

int channelDistance(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
        if (difference > largest)
            largest = difference;
    }
    return largest;
}
