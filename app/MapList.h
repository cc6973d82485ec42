#pragma once

#include "app/MapNavigation.h"
#include "app/RecoveryPacing.h"
#include "diagnostics/DiagnosticSink.h"
#include "level/MapEditor.h"
#include "level/MapImage.h"
#include "level/MapRecovery.h"
#include "platform/FileStamp.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The maps the map view shows, each with its zoom and position: the maps named on the command
// line, or else the level's own, and their pixels, one a cell, as read from their files and
// edited since: the editor's canvas is the one copy of a map's pixels.
class MapList {
  public:
    struct Map {
        std::string path;
        bool read = false;
        int width = 0;
        int height = 0;
        MapEditor editor{MapCanvas()}; // the pixels, display-layout words, and their undo
        uint64_t generation = 0;       // counts the times the pixels were read
        MapNavigation view;
        // How many of its pixels are strays, once the map view has counted them, and at which
        // revision of the canvas.
        size_t strays = 0;
        bool straysCounted = false;
        uint64_t straysRevision = 0;
        // The file as last read or saved (none when it could not be looked at), whether that
        // stamp came from a save of ours, and whether the file has changed on disk since while
        // the map had unsaved edits.
        std::optional<FileStamp> stamp;
        bool savedHere = false;
        bool changedOnDisk = false;
        // The kind of PNG the map is saved as, read from its file at the first save.
        std::optional<MapImage::Kind> kind;
        // Its unsaved edits kept in the recovery folder (app/RecoveryCopies): what names it
        // there, when to copy them, the version last seen and whether this run has a copy;
        // and the newest copy an earlier run left, until `u` takes it.
        std::string recoveryName;
        RecoveryPacing copies;
        std::string copiedVersion;
        bool copiedHere = false;
        std::optional<MapRecovery::File> recovery;
        bool recoveryTaken = false;

        const std::vector<uint32_t>& pixels() const { return editor.canvas().pixels(); }
        // Changes whenever the pixels do: read again or edited.
        std::string version() const {
            return std::to_string(generation) + "." + std::to_string(editor.canvas().revision());
        }
        // The pixel of a cell inside the map.
        uint32_t at(int column, int row) const { return editor.canvas().at(column, row); }
        // Whether the map differs from its file.
        bool unsaved() const { return read && editor.history().dirty(); }
    };

    // The maps: `given` (--map FILE, relative to the level folder or absolute), or else the
    // level's levels/*.png whose stem does not end in "_p", in byte order; none read yet.
    // Never fails: a folder that cannot be listed lists no maps.
    explicit MapList(std::vector<std::string> given);

    // Lists the level's own maps again, each keeping the view and edits it had, so that a map
    // added to levels/ shows; a map with unsaved edits stays listed though its file is gone;
    // maps named on the command line stay as they are. Never fails.
    void relist();

    // Reads every map from its file, keeping each map's view as far as the map stays in view
    // of an `area` of that size. A map with unsaved edits is never read over: when its file
    // changed it is marked changedOnDisk instead; a map whose file is as last read or saved
    // here keeps its pixels and undo. Never fails: a map that cannot be read is one line to
    // `sink`, "Unable to read map <path> : <reason>" (or the refused file's line), and draws
    // nothing.
    void read(MapNavigation::Size area, DiagnosticSink& sink);
    // Reads one map from its file, dropping its edits and undo; the same failures.
    static void readOne(Map& map, MapNavigation::Size area, DiagnosticSink& sink);

    // Whether any map has unsaved edits.
    bool anyUnsaved() const;
    // Gives `map`'s undo the bytes of the shared `budget` that the other maps' steps leave, so
    // that the steps of all maps hold at most that: its own oldest steps go first at its next
    // step, its latest stays whatever its size. Never fails.
    void shareUndoBudget(Map& map, size_t budget = EditHistory::defaultBudget);
    size_t size() const { return maps_.size(); }

    // The map files, as given or listed. Never fails.
    std::vector<std::string> paths() const;

    // The map at `index`, counted round the list; null when there is none.
    Map* at(size_t index) { return maps_.empty() ? nullptr : &maps_[index % maps_.size()]; }
    const Map* at(size_t index) const {
        return maps_.empty() ? nullptr : &maps_[index % maps_.size()];
    }

  private:
    bool given_ = false; // the maps were named on the command line
    std::vector<Map> maps_;
};
