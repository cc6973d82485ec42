// The POSIX folder listing, on readdir.

#include "platform/DirectoryListing.h"

#include "platform/PathStatus.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace {

bool isRegularFile(const std::string& folder, const dirent& entry) {
    if (entry.d_type == DT_REG)
        return true;
    // Links and file systems that do not fill d_type need a stat; links to files count.
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    return pathStatus(folder + "/" + entry.d_name).regular;
}

} // namespace

std::vector<std::string> listFilesUnsorted(const std::string& folder, const NameFilter& wanted,
                                           bool everyEntry) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (wanted(name) && name != "." && name != ".." &&
            (everyEntry || isRegularFile(folder, *entry)))
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

std::string folderListingProblem(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return std::strerror(errno);
    closedir(dir);
    return "";
}
