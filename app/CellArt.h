#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Sprite;

// What a map cell of one colour draws as: the texture, the object's colour in a frame, a
// collision colour, nothing for an unpainted pixel, or the missing-art checkerboard for a stray.
struct CellArt {
    enum Kind { Texture, Fill, Framed, Empty, Stray } kind = Stray;
    Sprite* texture = nullptr;
    uint32_t colour = 0; // Fill and Framed: the marker colour; Texture: its average
    std::string what;    // the status text's name for it
    std::string object;  // Texture: the object that carries the colour too, if one does
    std::string meant;   // what a stray close to this marker names: `what`, or a swatch's path
    uint32_t marker = 0; // the marker a click goes to (Texture, Framed)
    bool hasRow = false; // whether a click goes anywhere
    // Texture: its image reduced to smallSide by smallSide with a box filter, rows from the
    // top, for the picture at that many pixels a cell; made when first needed.
    std::vector<uint32_t> small;

    static constexpr int smallSide = 4;
    // The checkerboard's colours, and the frame's.
    static constexpr uint32_t magenta = 0xFFFF00FFu;
    static constexpr uint32_t black = 0xFF000000u;
};
