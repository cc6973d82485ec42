#pragma once

#include "check/LevelReport.h"

#include <string>
#include <vector>

// The checks of a level's marker colours, as pure functions of its report: they read the
// legend and the markers and give what they find, adding nothing to the report themselves.
// None of them fails.

// Problems and notes, in the order found.
struct Findings {
    std::vector<Finding> problems;
    std::vector<Finding> notes;

    // `location` "" puts the problem in the first of `files` (or the level folder, for none).
    void problem(const std::string& kind, std::vector<std::string> files,
                 std::vector<uint32_t> colours, const std::string& message,
                 const std::string& location = "", int64_t line = 0);
};

// Whether a legend entry is one of the two collision swatches.
bool isCollision(LevelFileKind kind);
// The paths of legend entries, in the order given.
std::vector<std::string> pathsOf(const LevelReport& report, const std::vector<size_t>& entries);

// Whether a colour that an advice names would clash with another marker (any but the marker
// at index `except`): "already the colour of <files>", "near the colour of <files>" (within
// report.near), or "" when it is free. Never fails.
std::string colourClash(const LevelReport& report, uint32_t colour, size_t except);

// The distinct colours of the legend, each with its entries, in order of first appearance.
std::vector<Marker> markersOf(const std::vector<LegendEntry>& legend);
// Colours carried by several files; a collision colour that a file also carries is a note.
Findings duplicateFindings(const LevelReport& report);
// Pairs of markers no further apart than report.near in any channel; none when near is 0.
// The advice recolours the one the report's maps paint on fewer pixels, else the later one.
Findings nearFindings(const LevelReport& report);
