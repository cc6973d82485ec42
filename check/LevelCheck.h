#pragma once

#include "check/LevelReport.h"
#include "level/MeantMarker.h"

#include <string>
#include <vector>

// Why a level folder cannot be checked at all ("no such folder", "it is not a folder", ...);
// empty when it can be listed. `level` "" is the working folder.
std::string levelFolderProblem(const std::string& level);

// What a check looks for beyond the level's own files.
struct LevelCheckSettings {
    int near = 3; // the largest channel difference that counts as near; 0 turns that check off
    std::vector<std::string> maps;       // painted map images, each counted once, in order
    int snap = MeantMarker::defaultSnap; // how far a stray may lie from the marker meant
    bool fixStrays = false;              // snap each map's strays and save it before it is counted
};

// Reads the level as the viewer's scan does (same files, order, swatch paths and colour
// values) and finds the problems of its colours, of its special files, of its textures as
// the viewer builds them and of its maps (their strays last), the maps' strays first snapped
// and saved when settings.fixStrays (check/StrayFix). Never fails: unreadable parts
// are problems, and a map that cannot be read is listed in the report's unreadableMaps.
// Its images are decoded on every core (DecodePool::threadCount), or on the calling thread
// where a thread cannot catch its own library output.
LevelReport checkLevel(const std::string& level, const LevelCheckSettings& settings);
// The same with `decodeThreads` decoding workers; with 0, the calling thread decodes and must
// be the only thread that decodes meanwhile (a library's output is caught process-wide).
LevelReport checkLevel(const std::string& level, const LevelCheckSettings& settings,
                       unsigned decodeThreads);
