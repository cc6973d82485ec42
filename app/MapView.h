#pragma once

#include "app/CellArtTable.h"
#include "app/KeyTable.h"
#include "app/Level.h"
#include "app/MapCells.h"
#include "app/MapEditMode.h"
#include "app/MapList.h"
#include "app/MapPicture.h"
#include "app/RecoveryCopies.h"
#include "diagnostics/DiagnosticSink.h"

#include <SDL_events.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The map view: the level's painted maps, one pixel a cell, each cell drawn with what its
// colour stands for in `level` (the texture, the object's or collision colour, nothing for an
// unpainted pixel, a missing-art checkerboard for a stray), or as painted. Owned by main; the
// maps and each map's zoom and position live here, which map is shown and how in the
// ViewState. The level is read, never changed, and must outlive the view.
class MapView {
  public:
    // The maps (app/MapList): `given` (--map FILE) or else the level's own; then reads them.
    // Never fails: a map that cannot be read is one line to `problems`, "Unable to read map
    // <path> : <reason>". Without `read`, the maps are only listed, and read by the first
    // reload().
    MapView(std::vector<std::string> given, const LevelContents& level, bool read = true,
            DiagnosticSink& problems = standardError());

    // Reads every map again from its file, keeping each map's view, and forgets what it knew
    // of the level's textures (after a rescan); the level's own maps are listed again, so that
    // a map added to levels/ shows. Never fails, as the constructor.
    void reload();

    // Forgets what it knew of the level's textures, whose sprites may be gone, and looks them
    // up again as it draws. Never fails.
    void forgetLevel();

    // How far a stray may lie from the marker its hover text names (--snap). Never fails.
    void setSnap(int snap) { art_.setSnap(snap); }

    // The map files, as given or listed, for the watch. Never fails.
    std::vector<std::string> paths() const { return maps_.paths(); }

    // Applies an event of the map view (zoom, pan and fit keys, the wheel, a drag, a click on
    // a cell, which goes to the marker's list page and marks its row there) and returns the
    // state; other events, and every event outside the map view, leave it as it was. The zoom
    // keys zoom about the pointer while it is over the map's cells, else about the area's
    // centre; the wheel about the pointer. Never fails.
    ViewState applyEvent(ViewState state, const SDL_Event& event) {
        bool taken = false;
        return applyEvent(state, event, taken);
    }
    // The same, with the edit mode's keys, chords and tools first (app/MapEditMode); `taken`
    // tells whether the event was the map view's own, which the key table must pass by.
    ViewState applyEvent(ViewState state, const SDL_Event& event, bool& taken);

    // Keeps the maps' unsaved edits in `folder` (app/RecoveryCopies) from now on, and finds
    // the files earlier runs left there once the maps are read. Never fails.
    void keepRecoveryIn(const std::string& folder);
    // Notes the maps' changes at tick `now` and queues the recovery copies due. Never fails.
    void keepCopies(uint32_t now);
    // Whether a recovery copy is due at `now`: the idle loop wakes for it. Never fails.
    bool copyDue(uint32_t now) const;
    // Writes every map's unsaved edits to the recovery folder now, one line each on the
    // problems' sink (the program is told to end). Never fails.
    void keepUnsaved();
    // Removes this run's recovery copies: the program ends with its edits given up. Never
    // fails.
    void dropCopies();
    // Waits until the recovery copies queued are written. Never fails.
    void finishCopies();

    // Whether any map has unsaved edits. Never fails.
    bool anyUnsaved() const { return maps_.anyUnsaved(); }
    // Saves every map with unsaved edits; false when one could not be, as its line says.
    bool saveAll();

    // Draws the cells of the map shown that lie in the area (y 32 to the bottom): from a
    // picture at small zooms (MapPicture), else cell by cell (MapCells). Never fails.
    void drawCells(const ViewState& state);
    // Whether drawing the view again would change it with nothing happening: a cell in the
    // area shows a texture that still animates. Never fails.
    bool animates(const ViewState& state);
    // The caption and the status line, which asks before quitting with unsaved edits
    // (`state.unsavedAsked`). Never fails.
    void drawLines(const ViewState& state);

    // The top of the map area.
    static constexpr int32_t areaTop = 32;

  private:
    using Map = MapList::Map;

    std::string statusText(const ViewState& state);
    std::string hoverText(const Map& map, int column, int row);
    size_t strayPixels(Map& map);
    // The cell under a window point, false when none is.
    bool cellAt(const Map& map, int x, int y, int& column, int& row) const;
    // The area: the window's width by its height below the status line.
    static MapNavigation::Size area();

    DiagnosticSink& problems_;
    MapList maps_;
    CellArtTable art_;
    MapCells cells_;
    MapPicture picture_;
    MapEditMode edit_;
    std::unique_ptr<RecoveryCopies> copies_; // none until keepRecoveryIn()
    bool mapsRead_ = false;                  // the maps are listed only until the level loads
    // A press of the left button in the area, and whether it has dragged since.
    bool pressed_ = false;
    bool dragged_ = false;
    int pressX_ = 0, pressY_ = 0;
};
