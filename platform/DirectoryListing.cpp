#include "platform/DirectoryListing.h"

#include <algorithm>

std::vector<std::string> listFiles(const std::string& folder, const NameFilter& wanted) {
    // Systems differ in the order they list a folder in (Windows's is the file system's own
    // collation), so the names are sorted and every system scans a level the same way.
    std::vector<std::string> names = listFilesUnsorted(folder, wanted);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> listEntries(const std::string& folder, const NameFilter& wanted) {
    std::vector<std::string> names = listFilesUnsorted(folder, wanted, true);
    std::sort(names.begin(), names.end());
    return names;
}
