#pragma once

#include "check/LevelReport.h"

#include <string>
#include <vector>

// What more than one report format reads off a report. Each function never fails.

// The level folder as the report names it: "." for the working folder.
std::string levelName(const LevelReport& report);
// The level folder as the text report's heading names it: the working folder by its own name
// (the last part of its path), any other as levelName does.
std::string levelHeading(const LevelReport& report);
// "cannot read level folder NAME: REASON" for a level that cannot be read.
std::string unreadableLine(const LevelReport& report);

// The files of a marker's legend entries, in scan order.
std::vector<std::string> markerFiles(const LevelReport& report, const Marker& marker);

// The problems found in `map`; "" for those of the level itself.
std::vector<const Finding*> problemsOf(const LevelReport& report, const std::string& map);

// The last line of a report: "no problems found", "1 problem found", "2 problems found".
std::string verdict(size_t problems);

// The last line of a run of several levels: "3 levels checked, 1 could not be read: 5
// problems found in 2 levels".
std::string runVerdict(const std::vector<LevelReport>& levels);

// "1 file", "2 files": the count with the word that fits it.
std::string plural(size_t count, const char* one, const char* many);
