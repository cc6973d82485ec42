#pragma once

#include "app/CellArtTable.h"
#include "app/KeyTable.h"
#include "app/MapList.h"
#include "diagnostics/DiagnosticSink.h"

#include <SDL_events.h>
#include <cstdint>
#include <functional>
#include <string>

// How many of the map's pixels are strays of `art`'s level, counted afresh. Never fails.
size_t strayCount(const MapList::Map& map, CellArtTable& art);

// The map view's editing: its keys (`e`, the brush's `x`, `[`, `]`, `n`, `r`, `u`) and Ctrl chords
// (undo, redo, save), the right click that picks the brush, and while editing the tools of the
// left button (level/MapEditor), panning with the middle button or Space and a left drag. It
// also keeps the one line it has to say (a save's result, a snap's counts), which the status
// line shows until the next key or button.
class MapEditMode {
  public:
    // Where the map area lies in the window, and its size.
    struct Area {
        MapNavigation::Size size;
        int32_t top = 0;
    };

    // Applies an event of the map view to `map` and the state; true when it was taken, so
    // that the key table passes it by (every Ctrl chord is). Never fails: a save that fails
    // is said on the line and to `sink`.
    bool apply(ViewState& state, const SDL_Event& event, MapList::Map& map, CellArtTable& art,
               Area area, DiagnosticSink& sink);

    // What the status line says for now, "" for nothing.
    const std::string& line() const { return line_; }
    // Says a line, as a result of the event being applied.
    void say(std::string line) { line_ = std::move(line); }

    // Saves `map` (app/MapSave), the line saying how it went; the second save after a
    // refusal for a change on disk, while its line shows, saves over the change. Never fails.
    bool save(MapList::Map& map, DiagnosticSink& sink);
    // What follows a successful save of a map (its recovery files removed). Never fails.
    void whenSaved(std::function<void(MapList::Map&)> saved) { saved_ = std::move(saved); }

    // Applies the newest recovery file an earlier run left for `map` as one step of undo; a
    // file that cannot be read, belongs to another map or differs in size is refused on the
    // line. Never fails.
    void takeRecovery(MapList::Map& map);

  private:
    bool applyKey(ViewState& state, const SDL_Event& event, MapList::Map& map, CellArtTable& art,
                  Area area, DiagnosticSink& sink);
    bool applyButton(ViewState& state, const SDL_Event& event, MapList::Map& map, Area area);
    void snap(MapList::Map& map, CellArtTable& art);
    // After a step: the note of undo steps dropped for their budget, said once.
    void noteDropped(MapList::Map& map);

    std::string line_;
    std::function<void(MapList::Map&)> saved_;
    bool overChangesAsked_ = false;         // the refusal's line shows: ^S again saves over it
    std::optional<FileStamp> changedStamp_; // the file as the refusal found it
    bool droppedSaid_ = false;
    // Space, Ctrl and Shift as their key events leave them, in the order events come: the
    // system's modifier state may already have moved on to a later key-up.
    bool spaceHeld_ = false, ctrlHeld_ = false, shiftHeld_ = false;
    // The button held in the area: the left one's tool, or a pan.
    enum class Held { None, Stroke, ShiftPress, Pan } held_ = Held::None;
    MapEditor::Cell pressed_;
};
