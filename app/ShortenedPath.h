#pragma once

#include <cstddef>
#include <string>

// The path as it fits in `characters`: as it is when it fits; otherwise shortened in its
// middle with "...", keeping its end whole (the file name after the last '/', with its frame
// number and extension) and as much of its start as fits. A file name too long by itself keeps
// as much of its own end as fits after "...". Never fails; below 4 characters, the path's last
// characters.
std::string shortenPath(const std::string& path, size_t characters);
