#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an RGBA image as a PNG file, filtered and deflated as ordinary encoders do, so that
// reading it costs what reading a real level's images costs. Pixels are 0xAARRGGBB, row by
// row from the top. Returns false when the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

// A width by height image of one colour.
bool writeFlatPng(const std::string& path, int width, int height, uint32_t argb);
