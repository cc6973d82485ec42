#pragma once

#include "app/CellArtTable.h"
#include "app/MapList.h"
#include "app/MapLook.h"
#include "app/ReducedTextures.h"

#include <cstdint>

// The map drawn cell by cell, at the cell sizes above the picture's (app/MapPicture): each cell
// of the area a quad or a few, its texture, its colour (framed for an object's from 8 pixels a
// cell), the missing-art checkerboard, or the colour as painted, or the art with the painted
// colour at half opacity over it.
class MapCells {
  public:
    // The columns and rows of a map that lie in the area, `area` pixels; first and top
    // included, last and bottom not.
    struct Range {
        int first = 0, last = 0, top = 0, bottom = 0;
    };
    static Range inArea(const MapList::Map& map, MapNavigation::Size area);

    // Draws the cells of `map` that lie in the area, whose top is at window row `top`; cells
    // may reach above it. Animated textures advance one tick a frame, all cells of one texture
    // in step. A texture larger than its cell shows reduced with a box filter
    // (ReducedTextures). Needs the Renderer; never fails.
    void draw(const MapList::Map& map, MapLook look, CellArtTable& art, MapNavigation::Size area,
              int32_t top);
    // A thin grid between the cells in the area, a line of one pixel at half opacity, for
    // editing; nothing below gridCell pixels a cell. Needs the Renderer; never fails.
    static void drawGrid(const MapList::Map& map, MapNavigation::Size area, int32_t top);
    static constexpr double gridCell = 8;
    // Whether a cell in the area shows a texture that still animates. Never fails.
    static bool animates(const MapList::Map& map, CellArtTable& art, MapNavigation::Size area);

    // Deletes the reduced copies, for a level whose sprites may be gone. Never fails.
    void forget() { reduced_.forget(); }

  private:
    ReducedTextures reduced_;
};
