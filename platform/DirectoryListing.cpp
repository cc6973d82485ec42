#include "platform/DirectoryListing.h"

#include <algorithm>

std::vector<std::string> listFiles(const std::string& folder, const std::string& extension) {
    // Systems differ in the order they list a folder in (Windows's is the file system's own
    // collation), so the names are sorted and every system scans a level the same way.
    std::vector<std::string> names = listFilesUnsorted(folder, extension);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> listEntries(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names = listFilesUnsorted(folder, extension, true);
    std::sort(names.begin(), names.end());
    return names;
}

bool hasExtension(const std::string& name, const std::string& extension) {
    const std::string suffix = "." + extension;
    return name.size() >= suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}
