#pragma once

#include "check/ReportFormat.h"

#include <string>
#include <vector>

// The command line of levelcolors-check.
struct CheckOptions {
    std::string level; // "" for the working folder
    const ReportFormat* format = &defaultReportFormat();
    int near = 3;
    std::string palette; // "" for none
    std::vector<std::string> maps;
    bool listUnused = false; // text: each map's unused marker colours, not just their number
    bool quiet = false;      // text: problems and notes only, and the last line
    std::vector<std::string> ignored; // kinds of problem left out of output and exit status
    std::string root; // sarif, github, codequality: where paths start; "" for each level's own
    bool help = false;
    bool version = false;
    std::string error; // a usage error, one line; empty when the line was understood
};

// Reads "[--format FORMAT] [--near N] [--palette FILE] [--map IMAGE]... [--unused]
// [--quiet] [--ignore KIND,...] [--root DIR] [--help] [--version] [LEVEL_FOLDER]"; values may
// also follow "=".
// Never fails: a usage error is put in `error`.
CheckOptions parseOptions(const std::vector<std::string>& arguments);

// The --help text, with the kinds of problem from the findingKinds table. Never fails.
std::string checkUsage();
