#pragma once

#include "level/MeantMarker.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct PixelPosition {
    int x;
    int y;
};

// How often one colour occurs in a map, and where it occurs first.
struct ColourCount {
    uint32_t colour = 0;
    uint64_t pixels = 0;
    std::vector<PixelPosition> first; // the first few, in reading order (rows from the top)
};

// The colours of a painted level image, each pixel taken as its 32-bit display-layout value
// (the conversion the swatches go through).
struct MapCount {
    static constexpr size_t firstPositions = 5;
    // A picture rather than a painted map could hold millions of colours; beyond this many
    // the rest are only counted together, which keeps memory bounded.
    static constexpr size_t trackedColours = 65536;

    bool read = false;
    std::string reason; // why the image could not be read
    int width = 0;
    int height = 0;
    std::vector<ColourCount> colours; // in order of first appearance
    uint64_t untrackedPixels = 0;     // pixels of colours beyond trackedColours
};

// Shown each band of rows as it is counted: `band` holds the rows [top, top + band.rows) of
// the map, which are those counted plus, where the map has them, the row above and the row
// below, so that every counted pixel has its neighbours; `first` and `last` are the band's
// rows that are counted (last excluded).
using BandVisitor = std::function<void(const PixelRows& band, int top, int first, int last)>;

// Counts the colours of the image at `file`, a band of rows at a time so that memory stays
// near the decoded image's own size, showing each band to `visit` when one is given. An
// unreadable image gives read == false and a reason.
MapCount countMap(const std::string& file, const BandVisitor& visit = {});
