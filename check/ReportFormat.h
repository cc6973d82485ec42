#pragma once

#include "check/LevelReport.h"

#include <ostream>
#include <string>
#include <vector>

// What the command line asks of the report besides its format.
struct ReportSettings {
    bool listUnused = false; // text: each map's unused marker colours, not just their number
    bool quiet = false;      // text: the problems, the notes and the last line only
    std::string timestamp;   // JUnit: when the check ran, "YYYY-MM-DDTHH:MM:SS" in UTC
    // A run of levels (several named, --find or --shard) writes the format's document for
    // several, whatever their number; else the run's one level is written as it always was.
    bool manyLevels = false;
    std::string root; // sarif, github, codequality: --root, "" for each level's own
};

// One output format of the report: its name for --format, what it is for the usage text
// (words that follow "NAME is ..."), and its writer of the levels checked in one run, in the
// order given (exactly one unless settings.manyLevels), which never fails (the stream may).
// A format is one file defining its ReportFormat, listed once in ReportFormat.cpp.
struct ReportFormat {
    const char* name;
    const char* meaning;
    void (*write)(std::ostream& out, const std::vector<LevelReport>& levels,
                  const ReportSettings& settings);
};

// The format named `name`; null for none. The first format listed is the default.
const ReportFormat* reportFormatNamed(const std::string& name);
const ReportFormat& defaultReportFormat();

// The formats' names as the usage text gives them, "text|csv|...", and as its error lines
// do, "text, csv, ... or junit". Never fail.
std::string reportFormatChoices();
std::string reportFormatNameList();

// --format's part of the usage text: its line and its meaning, wrapped. Never fails.
std::string reportFormatUsage();
