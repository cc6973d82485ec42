#pragma once

#include <string>
#include <vector>

// The level folders (see isLevelFolder) at and below `folder`, in byte order of their paths,
// never one inside a level found. Symbolic links are never followed: a link to a folder is
// skipped whether it leads out of `folder` or back inside it, so no walk leaves the folder or
// loops. A path is `folder` joined with the path below it ("." gives the bare path below it).
// Each folder that cannot be listed, `folder` itself included, adds "cannot search folder
// PATH: reason" to `problems`, and the walk goes on without it.
std::vector<std::string> findLevels(const std::string& folder, std::vector<std::string>& problems);
