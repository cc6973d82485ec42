#pragma once

#include "gfx/Rect.h"
#include "gfx/TexCoords.h"

#include <ostream>

// Readable failure messages for the graphics records.
inline bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}
inline bool operator==(const TexCoords& a, const TexCoords& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "Rect(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}
inline void PrintTo(const TexCoords& t, std::ostream* os) {
    *os << "TexCoords(" << t.left << ", " << t.top << ", " << t.right << ", " << t.bottom << ")";
}
