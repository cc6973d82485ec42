#pragma once

#include "app/MapList.h"

#include <cmath>
#include <cstdint>
#include <vector>

// The cells a picture of a map shows at one view, with their pixels as drawn, so that after an
// edit only the window pixels of the cells that changed are drawn again. Each window pixel
// shows the one cell pickedCell() gives for its column and row; below one pixel a cell that
// leaves most cells unshown, and only the shown ones are kept.
class PictureCells {
  public:
    // A window rectangle, empty when w or h is 0.
    struct Area {
        int32_t x = 0, y = 0, w = 0, h = 0;
    };

    // The map column (or row) that window pixel `pixel` of the area shows, the map's top-left
    // corner at `origin` and a cell `cell` pixels wide; outside the map when negative or past
    // its edge. The one rule the picture is drawn by.
    static double pickedCell(int32_t pixel, double origin, double cell) {
        return std::floor((pixel - std::floor(origin)) / cell);
    }

    // Keeps the cells of `map` that a `width` by `height` area shows at its view, with their
    // pixels now. Never fails.
    void keep(const MapList::Map& map, int32_t width, int32_t height);

    // The smallest window rectangle holding every pixel whose cell's pixel in `map` differs
    // from the one kept, keeping the new ones; empty when none does. `map` must be of the size
    // and at the view it was when kept.
    Area changed(const MapList::Map& map);

    // Keeps nothing, freeing the memory.
    void clear();

  private:
    // A map column (or row) shown and the window pixels, [first, end), that show it.
    struct Span {
        int cell;
        int32_t first, end;
    };
    static std::vector<Span> spans(int32_t pixels, double origin, double cell, int cells);

    std::vector<Span> columns_, rows_;
    std::vector<uint32_t> pixels_; // rows_ by columns_, the cells' pixels as last drawn
};
