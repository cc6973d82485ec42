#pragma once

#include "check/MapCount.h"
#include "level/LevelLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One scanned file with the colour the viewer reads from its swatch.
struct LegendEntry {
    LevelFileKind kind;
    std::string path; // as the viewer names it, relative to the level folder
    std::string swatchPath;
    std::optional<uint32_t> colour; // none when the swatch could not be read
};

// One distinct marker colour and the legend entries that carry it, in scan order.
struct Marker {
    uint32_t colour;
    std::vector<size_t> entries;
};

// A problem, or a piece of information, in one line: what is wrong and what to do.
struct Finding {
    std::string kind; // "duplicate", "near", "translucent", "mixed", "missing", ...
    std::string map;  // the map image it was found in; empty for the level itself
    std::vector<std::string> files;
    std::vector<uint32_t> colours;
    std::string message;
    uint64_t pixels = 0;              // stray map colours: how many pixels
    std::vector<PixelPosition> first; // and the first few of them
    // The file it is in, as the level names it (a map's: the map as given); "" for the level
    // folder itself. And the line there, counted from 1; 0 for none.
    std::string location;
    int64_t line = 0;
};

// What a map image uses: pixels per marker (indexed like LevelReport::markers) and the
// colours that are no marker.
struct MapReport {
    std::string file;
    int width = 0;
    int height = 0;
    std::vector<uint64_t> markerPixels;
    std::vector<ColourCount> stray;
    uint64_t untrackedPixels = 0;
};

// A --map image that could not be read (or, fixing strays, saved), and why.
struct UnreadableMap {
    std::string file;
    std::string reason;
};

struct LevelReport {
    std::string level;      // as given: "" for the working folder
    std::string folderName; // for the working folder ("" or "."), the last part of its path
    std::string unreadable; // why the level folder cannot be read; then nothing else is set
    int near = 0;
    std::vector<LegendEntry> legend; // scan order
    std::vector<Marker> markers;     // in order of first appearance in the legend
    std::vector<Finding> problems;   // those of the maps included
    std::vector<Finding> notes;
    std::vector<MapReport> maps;
    std::vector<UnreadableMap> unreadableMaps; // for standard error, not the report
    // --fix-strays: the maps that could not be saved, and what the saves changed besides the
    // pixels (one line each naming its map), both for standard error.
    std::vector<UnreadableMap> unsavedMaps;
    std::vector<std::string> mapSaveLines;
};

// "texture", "object", "walk behind", "walk into".
const char* kindName(LevelFileKind kind);
