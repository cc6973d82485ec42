#pragma once

#include <algorithm>
#include <cstdint>

// Colours are 0xAARRGGBB, as pngwriter/PngWriter.h takes them.

inline uint32_t rgb(int r, int g, int b) {
    const auto clamp = [](int v) { return uint32_t(std::clamp(v, 0, 255)); };
    return 0xFF000000u | clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

inline int red(uint32_t c) {
    return int(c >> 16 & 0xFF);
}
inline int green(uint32_t c) {
    return int(c >> 8 & 0xFF);
}
inline int blue(uint32_t c) {
    return int(c & 0xFF);
}

// Opaque colour t of the way from a to b (t in 0..1).
inline uint32_t mix(uint32_t a, uint32_t b, double t) {
    const auto lerp = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
    return rgb(lerp(red(a), red(b)), lerp(green(a), green(b)), lerp(blue(a), blue(b)));
}

// Opaque colour with delta added to each channel (negative darkens).
inline uint32_t shade(uint32_t c, int delta) {
    return rgb(red(c) + delta, green(c) + delta, blue(c) + delta);
}
