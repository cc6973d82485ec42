#pragma once

#include "check/LevelShard.h"
#include "check/ReportFormat.h"
#include "level/MeantMarker.h"

#include <string>
#include <vector>

// A level folder named on the command line, or a folder whose levels --find finds.
struct LevelArgument {
    std::string folder;
    bool find = false;
};

// The command line of levelcolors-check.
struct CheckOptions {
    std::vector<LevelArgument> levels; // in the order given; none for the working folder
    LevelShard shard;
    const ReportFormat* format = &defaultReportFormat();
    int near = 3;
    int snap = MeantMarker::defaultSnap; // how far a stray may lie from the marker meant
    std::string palette;                 // "" for none
    std::vector<std::string> maps;
    bool fixStrays = false;  // snaps the maps' strays and saves the maps before they are counted
    bool listUnused = false; // text: each map's unused marker colours, not just their number
    bool quiet = false;      // text: problems and notes only, and the last line
    std::vector<std::string> ignored; // kinds of problem left out of output and exit status
    std::string root; // sarif, github, codequality: where paths start; "" for each level's own
    bool help = false;
    bool version = false;
    std::string error; // a usage error, one line; empty when the line was understood

    // Whether the line names one level (or none, for the working folder), without --find or
    // --shard: the run then writes the one level's report as it always has.
    bool oneLevel() const;
};

// Reads "[--format FORMAT] [--near N] [--snap N] [--palette FILE] [--map IMAGE]...
// [--fix-strays] [--unused] [--quiet] [--ignore KIND,...] [--root DIR] [--find DIR]...
// [--shard K/N] [--help] [--version] [LEVEL_FOLDER]..."; values may also follow "=". --map,
// --fix-strays and --palette are a usage error unless the line names one level, --fix-strays
// also without --map. Never fails: a usage error is put in `error`.
CheckOptions parseOptions(const std::vector<std::string>& arguments);

// The --help text, with the kinds of problem from the findingKinds table. Never fails.
std::string checkUsage();
