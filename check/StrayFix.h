#pragma once

#include "check/LevelReport.h"

#include <string>

// Snaps the stray pixels of the map at `file` (as given, not in the level) to the markers they
// were meant to be, by level/MeantMarker within `snap`, each pixel judged by its neighbours as
// the map was before any snapped, and saves the map as the viewer saves it (saveMapImage: kind
// kept where its colours allow, replaced whole or not at all). Each (stray colour, marker)
// pair changed becomes one "fixed" note of the report; what the save changed besides the
// pixels (16-bit samples, colour-management chunks, an owner) goes to report.mapSaveLines.
// A map with nothing to snap is not written. False when the map cannot be read as a PNG map
// or cannot be saved, with `reason` set (one line without the path: "not a PNG image",
// "read-only", ...); the file is then as it was and nothing is added.
bool fixStrays(LevelReport& report, const std::string& file, int snap, std::string& reason);
