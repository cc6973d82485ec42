#pragma once

#include "app/KeyTable.h"
#include "app/MapNavigation.h"
#include "app/ReducedTextures.h"
#include "level/MapPixel.h"
#include "sprites/Sprite.h"

#include <SDL_events.h>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The map view: the level's painted maps, one pixel a cell, each cell drawn with what its
// colour stands for (the texture, the object's or collision colour, nothing for an unpainted
// pixel, a missing-art checkerboard for a stray), or as painted. Owned by main; the maps and
// each map's zoom and position live here, which map is shown and how in the ViewState.
class MapView {
  public:
    // The maps: `given` (--map FILE, relative to the level folder or absolute), or else the
    // level's levels/*.png whose stem does not end in "_p", in byte order; then reads them.
    // Never fails: a map that cannot be read is one line, "Unable to read map <path> : <reason>".
    // Without `read`, the maps are only listed, and read by the first reload().
    explicit MapView(std::vector<std::string> given, bool read = true);

    // Reads every map again from its file, keeping each map's view, and forgets what it knew
    // of the level's textures (after a rescan); the level's own maps are listed again, so that
    // a map added to levels/ shows. Never fails, as the constructor.
    void reload();

    // Forgets what it knew of the level's textures, whose sprites may be gone, and looks them
    // up again as it draws. Never fails.
    void forgetLevel();

    // The map files, as given or listed, for the watch. Never fails.
    std::vector<std::string> paths() const;

    // Applies an event of the map view (zoom, pan and fit keys, the wheel, a drag, a click on
    // a cell, which goes to the marker's list page and marks its row there) and returns the
    // state; other events, and every event outside the map view, leave it as it was. The zoom
    // keys zoom about the pointer while it is over the map's cells, else about the area's
    // centre; the wheel about the pointer. Never fails.
    ViewState applyEvent(ViewState state, const SDL_Event& event);

    // Draws the cells of the map shown that lie in the area (y 32 to the bottom); cells may
    // reach above it, where the backdrop is drawn again before the lines. Animated textures
    // advance one tick a frame, all cells of one texture in step. A texture larger than its
    // cell shows reduced with a box filter (ReducedTextures). Never fails.
    void drawCells(const ViewState& state);
    // Whether drawing the view again would change it with nothing happening: a cell in the
    // area shows a texture that still animates. Never fails.
    bool animates(const ViewState& state);
    // The caption and the status line. Never fails.
    void drawLines(const ViewState& state);

    // The top of the map area.
    static constexpr int32_t areaTop = 32;

  private:
    struct Map {
        std::string path;
        bool read = false;
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels; // display-layout words, rows from the top
        MapNavigation view;
        size_t strays = 0;
        bool straysCounted = false;
    };
    // What a colour draws as, worked out once per colour and level.
    struct CellArt {
        enum Kind { Texture, Fill, Framed, Empty, Stray } kind = Stray;
        Sprite* texture = nullptr;
        uint32_t colour = 0; // Fill and Framed: the marker colour; Texture: its average
        std::string what;    // the status text's name for it
        std::string object;  // Texture: the object that carries the colour too, if one does
        uint32_t marker = 0; // the marker a click goes to (Texture, Framed)
        bool hasRow = false; // whether a click goes anywhere
        // Texture: its image reduced to 4 by 4 with a box filter, rows from the top, for the
        // picture at 4 pixels a cell; made when first needed.
        std::vector<uint32_t> small;
    };

    void readMap(Map& map);
    const CellArt& artOf(uint32_t pixel);
    const std::vector<uint32_t>& smallOf(const CellArt& art);
    const Map* shown(const ViewState& state) const;
    Map* shown(const ViewState& state);
    std::string statusText(const ViewState& state);
    size_t strayPixels(Map& map);
    void drawPicture(const Map& map, bool painted);
    // The cell under a window point, false when none is.
    bool cellAt(const Map& map, int x, int y, int& column, int& row) const;
    // The range of columns and rows in the area, drawn at cell sizes above the picture's.
    struct Cells {
        int first = 0, last = 0, top = 0, bottom = 0;
    };
    Cells cellsInArea(const Map& map) const;
    std::string hoverText(const Map& map, int column, int row);

    bool given_ = false; // the maps were named on the command line
    std::vector<Map> maps_;
    std::unordered_map<uint32_t, CellArt> art_;
    std::unique_ptr<MapPixel> classes_; // made for the level's markers on first use
    ReducedTextures reduced_;
    bool mapsRead_ = false;      // the maps are listed only until the level loads
    uint64_t artGeneration_ = 0; // counts the times art_ was forgotten
    // The picture of the view at small zooms, made again only when what it shows changes.
    uint32_t picture_ = 0;
    std::string pictureKey_;
    float pictureRight_ = 0, pictureBottom_ = 0;
    // A press of the left button in the area, and whether it has dragged since.
    bool pressed_ = false;
    bool dragged_ = false;
    int pressX_ = 0, pressY_ = 0;
};
