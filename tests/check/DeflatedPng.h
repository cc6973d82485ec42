#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Writes a compressed RGBA PNG row by row, so that a test can make an 8192 by 8192 map
// without holding it in memory or writing a quarter-gigabyte file. `row(y, pixels)` fills the
// `width` pixels (0xAARRGGBB) of row y. False when the file cannot be written.
bool writeDeflatedPng(const std::string& path, int width, int height,
                      const std::function<void(int, uint32_t*)>& row);
