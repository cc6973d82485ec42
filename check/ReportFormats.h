#pragma once

#include "check/LevelReport.h"

#include <ostream>

// The report in the three output formats. Text is for a terminal: the legend in aligned
// columns, then problems, notes and maps, one line each. CSV is one table whose first column
// tells the record ("legend", "problem", "note", "map"). JSON is one object. File names are
// written byte for byte, except that text escapes control characters (one line stays one line)
// and JSON writes invalid UTF-8 bytes as U+FFFD.
// Text counts each map's unused marker colours in one line; `listUnused` lists them too.
void writeText(std::ostream& out, const LevelReport& report, bool listUnused);
void writeCsv(std::ostream& out, const LevelReport& report);
void writeJson(std::ostream& out, const LevelReport& report);
