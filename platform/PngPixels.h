#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG file's pixels read through libpng straight into display-layout words (0xAARRGGBB, rows
// from the top), with no image surface between: the pixels are held once while they are
// read, and a side may reach past what a surface holds (16,383 pixels across). The colours
// are those the image library and the display conversion give: 16-bit samples cut to their
// high byte, grey and palette expanded, a palette's transparency as alpha, no gamma applied.

// The largest side read this way.
constexpr int maxPngPixelsSide = 16384;

// Reads `path` into `pixels` (resized to width by height; its storage is reused). False, with
// `pixels` emptied, when the file is not read this way, for the caller to read it through the
// image library, which says why where there is a reason: a file that is no regular file or no
// PNG, a side over maxPngPixelsSide, a grey or 16-bit image with a transparent colour (which
// the image library keys by rules of its own), a broken file, or no memory. libpng's warnings
// go to standard error as the image library's do; its errors are left to the image library.
bool readPngPixels(const std::string& path, int& width, int& height, std::vector<uint32_t>& pixels);
