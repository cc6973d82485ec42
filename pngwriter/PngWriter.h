#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Writes an RGBA image as a PNG file through libpng, filtered and deflated as ordinary
// encoders do, so that reading it costs what reading a real level's images costs. Pixels are
// 0xAARRGGBB, row by row from the top. Returns false when the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

// A width by height image of one colour.
bool writeFlatPng(const std::string& path, int width, int height, uint32_t argb);

// Writes the image row by row, so that a test can make an 8192 by 8192 map without holding
// it in memory: `row(y, pixels)` fills the `width` pixels (0xAARRGGBB) of row y. Rows are not
// filtered, which keeps large files quick to write. False when the file cannot be written.
bool writePngRows(const std::string& path, int width, int height,
                  const std::function<void(int, uint32_t*)>& row);
