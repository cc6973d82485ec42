#pragma once

#include "level/MapPixel.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// Rows of a painted map's pixels, display-layout words (alpha in the top byte), as read: the
// whole map, or a band of its rows. Cells outside it are no neighbours.
struct PixelRows {
    const uint32_t* first = nullptr; // the top row's first pixel
    int width = 0;
    int rows = 0;
    size_t stride = 0; // pixels from one row's start to the next's

    uint32_t at(int x, int y) const { return first[size_t(y) * stride + size_t(x)]; }
};

// What a stray was meant to be: a marker near it (Near), a marker it blends into another
// neighbour's (Blend: `marker` meant, `other` the one it blends with), or nothing (None).
struct Meant {
    enum Kind { None, Near, Blend } kind = None;
    uint32_t marker = 0;
    uint32_t other = 0;

    bool operator==(const Meant& o) const {
        return kind == o.kind && marker == o.marker && other == o.other;
    }
};

// The one rule for which marker a stray pixel of a map was meant to be, which the check's
// hints, the viewer's hover text and snapping share. Distances are Euclidean in RGB; alpha is
// left out of them (a translucent stray of a marker's RGB is meant as that marker). Among the
// markers of the cell's 8 neighbours (classified as MapPixel does: a fully transparent
// neighbour is empty, never a marker) the stray is meant as marker A when it lies within
// `snap` of A, or within `snap` of the segment from A to another neighbour marker B and is
// nearer A than B (an anti-aliased edge blends two neighbours). The nearest candidate to the
// stray wins; ties go to the marker most neighbours carry, then the lower colour value. With
// no candidate among the neighbours, the nearest marker of all within `snap`; else none.
// Keeps a cache of that last step per colour, so it is not shared between threads.
class MeantMarker {
  public:
    static constexpr int defaultSnap = 12;
    // 255 * sqrt(3) rounded up: every colour is within this of every other.
    static constexpr int largestSnap = 442;

    // `markers`: the level's marker colours, display-layout words; a colour may repeat.
    // `snap` from 0 to largestSnap.
    MeantMarker(const std::vector<uint32_t>& markers, int snap);

    int snap() const { return snap_; }

    // What the pixel at (x, y) of `map` was meant to be; the pixel's own class is not looked
    // at, so callers ask for strays. Never fails; (x, y) must lie in `map`.
    Meant meant(const PixelRows& map, int x, int y);

  private:
    struct Neighbour {
        uint32_t colour;
        int count; // how many of the 8 neighbours carry it
    };

    Meant nearestOfAll(uint32_t colour);

    MapPixel classes_;
    std::vector<uint32_t> markers_; // each colour once, none fully transparent
    int snap_;
    std::unordered_map<uint32_t, Meant> nearestOfAll_; // by the stray's RGB
};
