#include "check/LevelSearch.h"

#include "level/LevelLayout.h"
#include "platform/DirectoryListing.h"
#include "platform/PathStatus.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::string joinedPath(const std::string& folder, const std::string& name) {
    if (folder == ".")
        return name;
    return folder + (folder.back() == '/' ? "" : "/") + name;
}

// "levels//" gives "levels"; "/" stays itself.
std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::vector<std::string> findLevels(const std::string& folder, std::vector<std::string>& problems) {
    std::vector<std::string> levels;
    const std::string top = withoutTrailingSlashes(folder);
    const PathStatus status = pathStatus(top);
    if (!status.folder) {
        problems.push_back("cannot search folder " + folder + ": " +
                           (status.exists ? "it is not a folder" : std::strerror(status.error)));
        return levels;
    }
    std::vector<std::string> waiting = {top};
    while (!waiting.empty()) {
        const std::string at = std::move(waiting.back());
        waiting.pop_back();
        if (isLevelFolder(at)) {
            levels.push_back(at);
            continue;
        }
        if (const std::string why = folderListingProblem(at); !why.empty()) {
            problems.push_back("cannot search folder " + at + ": " + why);
            continue;
        }
        for (const std::string& name : listEntries(at, [](const std::string&) { return true; })) {
            const std::string path = joinedPath(at, name);
            std::string link;
            if (pathStatusAndLink(path, link).folder && link.empty())
                waiting.push_back(path);
        }
    }
    std::sort(levels.begin(), levels.end());
    return levels;
}
