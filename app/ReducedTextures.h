#pragma once

#include "gfx/TexCoords.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class Sprite;

// The map's copies of images too large for their cells: an image sprite drawn in a cell
// narrower or lower than itself shows its file read again and reduced with a box filter to
// the cell's side (or its own size, where that is smaller), uploaded as a texture of its own,
// so that every cell of one texture at one zoom shows the same pixels. Copies are made on
// demand for one cell side at a time: a new side, or forget(), deletes them all.
class ReducedTextures {
  public:
    struct Copy {
        uint32_t texture = 0; // 0: none, the image is drawn as it is
        TexCoords window = {0, 0, 0, 0};
    };

    // The copy that draws `image` in a `side` by `side` cell: none for an image that fits the
    // cell, and none (remembered, so the file is not read again) for a file that cannot be
    // read now. Needs the Renderer.
    const Copy& of(Sprite* image, int side);

    // Deletes every copy's texture, for a level whose sprites may be gone. Never fails.
    void forget();

    // `pixels` (0xAARRGGBB, rows from the top, `pitch` words apart) reduced for a `side` cell:
    // each side shrunk to `side` where it is larger, kept where it is not. Empty when the
    // image fits the cell.
    static std::vector<uint32_t> reduced(const uint32_t* pixels, int width, int height, int pitch,
                                         int side, int& toWidth, int& toHeight);

  private:
    int side_ = 0;
    std::unordered_map<Sprite*, Copy> copies_;
};
