#pragma once

#include "app/CellArtTable.h"
#include "app/MapList.h"
#include "app/MapLook.h"
#include "app/MapReduction.h"
#include "app/PictureCells.h"
#include "platform/OwnedSurface.h"

#include <cstdint>
#include <string>

// The map drawn at small zooms: the cells are a few window pixels each, thousands of them, so
// they are drawn once into a picture of the area, made again only when the view, the map or
// the level's art changes. Below 4 pixels a cell they are flat colours; at 4 a texture's cell
// is its image sampled at 4 by 4 (an animation holds still at its first frame), a stray the
// checkerboard and an object its colour, without the frame. Below 1/8 of a pixel a cell each
// window pixel is the mean of the cells it covers (app/MapReduction). From 1/8 up, when only
// the map's pixels changed (an edit), only the window pixels of the cells that changed are
// drawn again, and only their rectangle goes to the texture.
class MapPicture {
  public:
    // The largest cell, in pixels, drawn from the picture.
    static constexpr double largestCell = CellArt::smallSide;

    // Draws the area, `area` pixels with its top at window row `top`, from the picture of
    // `map` as the look shows it, made first when it has changed. Needs the Renderer; never
    // fails: when the picture cannot be made, nothing is drawn.
    void draw(const MapList::Map& map, MapLook look, CellArtTable& art, MapNavigation::Size area,
              int32_t top);

  private:
    // Draws the whole picture again into a new surface and uploads it; false, keeping nothing,
    // when the surface cannot be made.
    bool redraw(const MapList::Map& map, MapLook look, CellArtTable& art, int32_t w, int32_t h);

    MapReduction reduction_;
    uint32_t texture_ = 0;
    std::string key_;      // what the picture shows
    std::string view_;     // the same but the map's edits: while it holds, edits are drawn in place
    OwnedSurface surface_; // the picture, kept from 1/8 up to draw edits into
    PictureCells cells_;   // the cells it shows, kept with it
    float right_ = 0, bottom_ = 0;
};
