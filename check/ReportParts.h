#pragma once

#include "check/LevelReport.h"

#include <string>
#include <vector>

// What more than one report format reads off a report. Each function never fails.

// The level folder as the report names it: "." for the working folder.
std::string levelName(const LevelReport& report);

// The files of a marker's legend entries, in scan order.
std::vector<std::string> markerFiles(const LevelReport& report, const Marker& marker);

// The problems found in `map`; "" for those of the level itself.
std::vector<const Finding*> problemsOf(const LevelReport& report, const std::string& map);

// The last line of a report: "no problems found", "1 problem found", "2 problems found".
std::string verdict(size_t problems);

// "1 file", "2 files": the count with the word that fits it.
std::string plural(size_t count, const char* one, const char* many);
