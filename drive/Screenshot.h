#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A window's pixels as 0xRRGGBB, row by row from the top.
struct Screenshot {
    // What at() answers outside the picture: no colour a window shows, so no check passes on it.
    static constexpr uint32_t outside = 0xFF000000u;

    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height ||
            pixels.size() != size_t(width) * size_t(height))
            return outside;
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
};
