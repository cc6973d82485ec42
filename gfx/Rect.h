#pragma once

#include <cstdint>

// A rectangle in pixels. 16-bit fields keep the record as small as the sprites that copy it;
// sums such as x + w are formed in 32 bits so they never wrap.
struct Rect {
    int16_t x;
    int16_t y;
    uint16_t w;
    uint16_t h;
};

// Whether the spans of a and b along x (or y) overlap; rectangles that only touch do not.
bool overlapsX(Rect a, Rect b);
bool overlapsY(Rect a, Rect b);
bool rectsOverlap(Rect a, Rect b);
