#pragma once

#include <cstdint>
#include <vector>

// Reduces an image with a box filter: each pixel of the result is the mean of the source
// pixels its footprint covers, each weighted by how much of it is covered, exactly (integer
// sums, rounded to nearest); colours are weighted by their alpha, so that transparent pixels
// lend them nothing, and a pixel left fully transparent is 0. Pixels are 0xAARRGGBB words,
// rows from the top, `pitch` words apart in the source. The result's sides are clamped to 1
// and to the source's; an empty source gives an empty result.
std::vector<uint32_t> boxFilter(const uint32_t* pixels, int width, int height, int pitch,
                                int toWidth, int toHeight);
