#pragma once

#include "check/LevelReport.h"

#include <ostream>

// The report in the three output formats. Text is for a terminal: the legend in aligned
// columns, then problems, notes and maps, one line each. CSV is one table whose first column
// tells the record ("legend", "problem", "note", "map"). JSON is one object. File names are
// written byte for byte, except that text escapes control characters (one line stays one line)
// and JSON writes invalid UTF-8 bytes as U+FFFD.
// Text counts each map's unused marker colours in one line; `listUnused` lists them too;
// `quiet` gives the problems, the notes and the last line only.
void writeText(std::ostream& out, const LevelReport& report, bool listUnused, bool quiet = false);
void writeCsv(std::ostream& out, const LevelReport& report);
void writeJson(std::ostream& out, const LevelReport& report);
// JUnit XML as the Ant/Jenkins schema has it: one test suite for the level (stamped with
// `timestamp`, "YYYY-MM-DDTHH:MM:SS"), a test case for the level, each scanned file and each
// map, each case's problems as its one failure, the notes as the suite's output. Names are
// written as well-formed XML whatever bytes they hold. Never fails (the stream may).
void writeJunit(std::ostream& out, const LevelReport& report, const std::string& timestamp);
