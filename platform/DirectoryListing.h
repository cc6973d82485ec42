#pragma once

#include <functional>
#include <string>
#include <vector>

// Which names a listing keeps (the level's rules say which; "." and ".." never come).
using NameFilter = std::function<bool(const std::string& name)>;

// The bare names of the regular files in `folder` that `wanted` keeps, in byte order so that
// every run lists a level the same way. A missing or unreadable folder yields no names.
std::vector<std::string> listFiles(const std::string& folder, const NameFilter& wanted);

// Every entry of `folder` that `wanted` keeps, whatever it is (a regular file, a link to
// nothing, a FIFO, a device, a folder), in byte order. A missing or unreadable folder yields
// no names.
std::vector<std::string> listEntries(const std::string& folder, const NameFilter& wanted);

// The names in the order the system gives them (each system's own file): regular files only,
// or every entry.
std::vector<std::string> listFilesUnsorted(const std::string& folder, const NameFilter& wanted,
                                           bool everyEntry = false);

// Why `folder` cannot be listed: the system's reason, "" when it can.
std::string folderListingProblem(const std::string& folder);
