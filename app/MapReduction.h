#pragma once

#include "app/CellArtTable.h"
#include "app/MapList.h"
#include "app/MapLook.h"

#include <cstdint>
#include <string>
#include <vector>

// A map shown at less than 1/8 of a pixel a cell: each window pixel covers 16 by 16 cells or
// more, and a cell picked from each would show noise. The map's shown colours (its art's flat
// colours, its painted colours, or both, by the look) are reduced instead: each pixel of the
// reduction at 1/2^k of a pixel a cell is the mean of the 2^k by 2^k cells it covers (those
// that lie in the map), weighted by their alpha. The reductions are made once for a map, its
// pixels, the look and the level's art, and kept until one of them changes: not per frame.
class MapReduction {
  public:
    // The zooms it serves: a cell 1/16 to 1/64 of a pixel.
    static constexpr int largestZoom = -4;
    static constexpr int smallestZoom = -6;

    struct Image {
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels; // display-layout words, rows from the top
    };

    // The reduction of `map` at `zoom` (from smallestZoom to largestZoom), made first when the
    // map, its pixels, the look or the art changed. Never fails: an empty map gives an empty
    // image.
    const Image& at(const MapList::Map& map, int zoom, MapLook look, CellArtTable& art);

    // The colour a cell of this pixel shows flat (no texture image, no checkerboard), by the
    // look: the art's colour (nothing when empty, magenta for a stray), the painted colour, or
    // the painted colour at half opacity over the art's.
    static uint32_t flatColour(uint32_t pixel, MapLook look, CellArtTable& art);

  private:
    void make(const MapList::Map& map, MapLook look, CellArtTable& art);

    std::string key_;                              // what the reductions show
    Image images_[largestZoom - smallestZoom + 1]; // 1/16, 1/32, 1/64
};
