#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The size an image file declares, read from its header before anything is decoded.
struct ImageHeader {
    bool known = false; // false for anything but a PNG with a whole header
    uint32_t width = 0;
    uint32_t height = 0;
};

// Reads a PNG's width and height from its signature and IHDR chunk, then rewinds `file`.
// Other files, and short ones, give an unknown size.
ImageHeader readImageHeader(std::FILE* file);

// Image surfaces keep their row length in 16 bits; larger sides are refused by the library.
constexpr uint32_t maxSurfaceWidth = 16383;
constexpr uint32_t maxSurfaceHeight = 65535;

// Empty when an image of this size fits a surface (or its size is unknown); otherwise
// "<w>x<h> pixels, more than an image surface holds (16383x65535 at most)".
std::string surfaceSizeProblem(const ImageHeader& header);
