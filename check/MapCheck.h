#pragma once

#include "check/LevelReport.h"

#include <string>
#include <vector>

// Counts the colours of a painted map image against the report's markers and adds its
// MapReport to the report; each colour that is no marker is one problem added to `strays`,
// with the hint of level/MeantMarker (within `snap`). A stray colour covers many pixels, each
// with its own neighbours: the hint is the one most of its pixels get, ties going to the
// hint its first pixel gets. False (nothing added, `reason` set) when the image cannot be
// read.
bool checkMap(LevelReport& report, const std::string& file, int snap, std::vector<Finding>& strays,
              std::string& reason);
