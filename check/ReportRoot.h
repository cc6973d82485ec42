#pragma once

#include <string>

// Where the reports made for a repository's hosting service (SARIF, workflow commands, code
// quality) start their paths: the top folder of the repository that holds a level.

// The folder a level's paths start from, absolute with its links resolved: `given` (--root)
// when not empty, else the nearest folder at or above the level that holds ".git" (a folder,
// or a file in a linked work tree), else the level folder itself; in a run of several levels,
// else the working folder, so that each path names its level. `level` "" is the working
// folder. "" when the folder cannot be resolved. Never fails.
std::string reportRoot(const std::string& given, const std::string& level, bool manyLevels);

// `path` (relative to the working folder, or absolute) from `root`, parts joined by '/': "."
// for the root itself; `path` as given when it lies outside `root` or `root` is "". The
// folders on the way are resolved, the last name is not, so a link is named where it lies.
// Never fails.
std::string pathFromRoot(const std::string& root, const std::string& path);
