#pragma once

#include "check/LevelReport.h"

#include <cstdint>
#include <string>
#include <vector>

// Where each finding of a run lies in a repository, for the reports that put findings on its
// files (SARIF, workflow commands, code quality), and the fingerprint that names it there.
struct LocatedFinding {
    Finding finding; // a copy: a level that cannot be read has one made for it
    bool note;
    std::string path;        // from the level's report root (see ReportRoot.h)
    int64_t line = 0;        // counted from 1: a description's line, a stray's first pixel row
    int64_t column = 0;      // counted from 1: a stray's first pixel column; 0 for none
    std::string fingerprint; // 16 hex digits, then "-N" for the N-th finding that shares them
};

// The problems, then the notes, of each level in turn (for a level that cannot be read, one
// problem of kind levelFolderKind on its folder); `root` is --root as given, "" for each
// level's own (see reportRoot, which `manyLevels` is passed to). A fingerprint is made of the kind,
// the path, the line and column and the colours, so a problem keeps it from run to run; findings
// that would share one are told apart by their order. Never fails.
std::vector<LocatedFinding> locateFindings(const std::vector<LevelReport>& levels,
                                           const std::string& root, bool manyLevels);
