#pragma once

#include "app/MapNavigation.h"
#include "diagnostics/DiagnosticSink.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The maps the map view shows, each with its zoom and position: the maps named on the command
// line, or else the level's own, and their pixels, one a cell, as read from their files.
class MapList {
  public:
    struct Map {
        std::string path;
        bool read = false;
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels; // display-layout words, rows from the top
        uint64_t generation = 0;      // counts the times the pixels were read
        MapNavigation view;
        // How many of its pixels are strays, once the map view has counted them.
        size_t strays = 0;
        bool straysCounted = false;

        // The pixel of a cell inside the map.
        uint32_t at(int column, int row) const {
            return pixels[size_t(row) * size_t(width) + size_t(column)];
        }
    };

    // The maps: `given` (--map FILE, relative to the level folder or absolute), or else the
    // level's levels/*.png whose stem does not end in "_p", in byte order; none read yet.
    // Never fails: a folder that cannot be listed lists no maps.
    explicit MapList(std::vector<std::string> given);

    // Lists the level's own maps again, each keeping the view it had, so that a map added to
    // levels/ shows; maps named on the command line stay as they are. Never fails.
    void relist();

    // Reads every map from its file, keeping each map's view as far as the map stays in view
    // of an `area` of that size. Never fails: a map that cannot be read is one line to `sink`,
    // "Unable to read map <path> : <reason>" (or the refused file's line), and draws nothing.
    void read(MapNavigation::Size area, DiagnosticSink& sink);

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
