#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A PNG of any colour type and bit depth, its samples given as the file stores them, for
// tests that need the kinds of file other encoders make: grey, palette, 16-bit, with
// colour-management and text chunks.
struct RawPng {
    int width = 0;
    int height = 0;
    int colourType = 6; // as the file says: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    // Rows one after another, each of (width * channels * bitDepth + 7) / 8 bytes: samples
    // under 8 bits packed from the high bits, 16-bit ones high byte first.
    std::vector<uint8_t> samples;
    std::vector<uint32_t> palette; // 0xAARRGGBB; alpha below 255 goes to a tRNS chunk
    std::vector<std::pair<std::string, std::string>> text;              // tEXt chunks
    std::vector<std::pair<std::string, std::string>> internationalText; // iTXt chunks
    bool colourChunks = false; // gAMA (0.7, far from any display's) and cHRM chunks
};

// Writes `png` to `path` through libpng. False when the file cannot be written or the
// samples do not fill the image.
bool writeRawPng(const std::string& path, const RawPng& png);
