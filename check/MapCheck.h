#pragma once

#include "check/LevelReport.h"

#include <string>

// Counts the colours of a painted map image against the report's markers and adds its
// report, with one problem per colour that is no marker. False (the report unchanged, `reason`
// set) when the image cannot be read.
bool checkMap(LevelReport& report, const std::string& file, std::string& reason);
