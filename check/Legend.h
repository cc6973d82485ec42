#pragma once

#include "check/ColourChecks.h"
#include "check/SwatchReading.h"

#include <set>
#include <string>
#include <vector>

class ImagePrefetch;

// The legend entries that read one swatch file (a texture's ".png" and ".txt" share one).
struct SwatchUse {
    std::string path;
    SwatchReading reading;
    std::vector<size_t> entries;
};

// What reading the level's files found: the legend in scan order, each swatch file read once
// with the entries that use it, and what the listing showed on the way (names that are no
// regular file, links out of the level).
struct LegendReading {
    std::vector<LegendEntry> legend;
    std::vector<SwatchUse> swatches;
    std::set<std::string> unusableSwatches; // the swatches of names that are no regular file
    Findings found;
};

// Reads the level's files as the viewer's scan does, each swatch decoded once through
// `images` in scan order, and requests the textures' images after the swatches. Never fails:
// what cannot be read is in the readings.
LegendReading readLegend(const std::string& level, ImagePrefetch& images);

// The problems of the swatches read: missing, unreadable, translucent (its opaque colour
// checked against the report's markers) and mixed. A pure function of its arguments.
Findings swatchFindings(const LevelReport& report, const std::vector<SwatchUse>& swatches);
