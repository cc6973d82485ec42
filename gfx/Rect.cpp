#include "gfx/Rect.h"

// Edges are widened to 32 bits before adding, so x + w never wraps at 16 bits.
bool overlapsX(Rect a, Rect b) {
    return int32_t(a.x) < int32_t(b.x) + int32_t(b.w) && int32_t(b.x) < int32_t(a.x) + int32_t(a.w);
}

bool overlapsY(Rect a, Rect b) {
    return int32_t(a.y) < int32_t(b.y) + int32_t(b.h) && int32_t(b.y) < int32_t(a.y) + int32_t(a.h);
}

bool rectsOverlap(Rect a, Rect b) {
    return overlapsX(a, b) && overlapsY(a, b);
}
