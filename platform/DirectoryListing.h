#pragma once

#include <string>
#include <vector>

// The bare names of the regular files in `folder` whose names end in "." followed by
// `extension` (compared case-sensitively), in byte order so that every run lists a level
// the same way. A missing or unreadable folder yields no names.
std::vector<std::string> listFiles(const std::string& folder, const std::string& extension);
