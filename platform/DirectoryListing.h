#pragma once

#include <string>
#include <vector>

// The bare names of the regular files in `folder` whose names end in "." followed by
// `extension` (compared case-sensitively), in byte order so that every run lists a level
// the same way. A missing or unreadable folder yields no names.
std::vector<std::string> listFiles(const std::string& folder, const std::string& extension);

// Every entry of `folder` with such a name, whatever it is (a regular file, a link to
// nothing, a FIFO, a device, a folder), in byte order. A missing or unreadable folder yields
// no names.
std::vector<std::string> listEntries(const std::string& folder, const std::string& extension);

// The names in the order the system gives them (each system's own file): regular files only,
// or every entry.
std::vector<std::string> listFilesUnsorted(const std::string& folder, const std::string& extension,
                                           bool everyEntry = false);

// Whether `name` ends in "." followed by `extension`, compared byte for byte.
bool hasExtension(const std::string& name, const std::string& extension);

// Why `folder` cannot be listed: the system's reason, "" when it can.
std::string folderListingProblem(const std::string& folder);
