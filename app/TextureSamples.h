#pragma once

#include <cstdint>
#include <vector>

class Sprite;

// What the map's small cells show of a texture, read from the image file its cells show: its
// own, or an animation's first frame's. A texture drawn through parts of its own has no such
// file. Needs the video mode set.

// The mean colour, opaque, of the image's pixels that are not fully transparent; `fallback`
// (the marker colour) when there is no image file, it cannot be read, or it has no such pixel.
uint32_t averageColour(Sprite* texture, uint32_t fallback);

// The image at `side` by `side`, rows from the top, as a cell of that side draws it: reduced
// with a box filter where it is larger, sampled nearest-neighbour where it is smaller. Empty
// when there is no image file or it cannot be read.
std::vector<uint32_t> sampledImage(Sprite* texture, int side);
