#pragma once

#include "level/MeantMarker.h"

#include <optional>
#include <string>
#include <vector>

// What the viewer's command line asks for:
// `levelcolors [--help|-h] [--version] [--size WxH] [--map FILE]... [--snap N] [LEVEL_FOLDER]`,
// or `levelcolors --new-map FILE WxH [LEVEL_FOLDER]` with the same options.
struct CommandLine {
    bool help = false;
    bool version = false;
    std::string level; // "" for the current folder
    std::string error; // an unknown option or a second folder; "" when the line is sound
    // The window's size; --size WxH, at least 300 by 400, sets another and `sized`.
    bool sized = false;
    int width = 300;
    int height = 800;
    // The maps of the map view, in the order given (--map FILE, repeatable); none for the
    // level's own.
    std::vector<std::string> maps;
    // How far a stray may lie from the marker the map view's hover text names (--snap N).
    int snap = MeantMarker::defaultSnap;
    // --new-map FILE WxH: a transparent map of that size made at FILE (relative to the level
    // folder), shown first in the map view, in edit mode.
    std::string newMap;
    std::string newMapSize;
};

// Reads the arguments after the program's name; never fails, a fault goes into `error`.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// Acts on the command line before anything else runs: prints the usage or the version, or
// enters the level folder and makes the new map. Returns the exit status when the program must
// end there: 0 after --help or --version, 2 for a usage error (usage on standard error), a
// level folder that cannot be entered or a new map that cannot be made (one line naming it);
// nothing when the viewer is to run.
std::optional<int> applyCommandLine(const CommandLine& line);
