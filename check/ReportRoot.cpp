#include "check/ReportRoot.h"

#include "platform/PathStatus.h"
#include "platform/RealPath.h"

#include <algorithm>

namespace {

#ifdef _WIN32
const char* const separators = "/\\";
#else
const char* const separators = "/";
#endif

// The folder above `folder` (an absolute path); "" above the top ("/", "C:/").
std::string parentOf(const std::string& folder) {
    const size_t slash = folder.find_last_of(separators);
    if (slash == std::string::npos || slash + 1 == folder.size())
        return std::string();
    const bool top = slash == 0 || folder[slash - 1] == ':';
    return folder.substr(0, top ? slash + 1 : slash);
}

std::string inside(const std::string& folder, const std::string& name) {
    return folder.find_last_of(separators) + 1 == folder.size() ? folder + name
                                                                : folder + "/" + name;
}

// `path` made absolute, its folders resolved but not its last name; "" when none of its
// folders can be found.
std::string placed(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.find_last_of(separators) + 1 == trimmed.size())
        trimmed.pop_back();
    const size_t slash = trimmed.find_last_of(separators);
    const std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    // The top folder keeps its separator ("/", "C:/").
    const bool top = slash == 0 || (slash != std::string::npos && trimmed[slash - 1] == ':');
    const std::string folder = slash == std::string::npos ? "."
                               : top                      ? trimmed.substr(0, slash + 1)
                                                          : trimmed.substr(0, slash);
    std::string base = realPath(folder);
    // A folder that is not there (a missing frame's) is placed by its own folder.
    if (base.empty() && folder != trimmed && folder != "." && folder.size() > 1)
        base = placed(folder);
    if (base.empty())
        return std::string();
    if (name.empty() || name == ".")
        return base;
    if (name == "..")
        return parentOf(base);
    return inside(base, name);
}

std::string withSlashes(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return path;
}

} // namespace

std::string reportRoot(const std::string& given, const std::string& level, bool manyLevels) {
    if (!given.empty())
        return realPath(given);
    const std::string folder = realPath(level.empty() ? "." : level);
    for (std::string at = folder; !at.empty(); at = parentOf(at)) {
        if (pathStatus(inside(at, ".git")).exists)
            return at;
    }
    return manyLevels ? realPath(".") : folder;
}

std::string pathFromRoot(const std::string& root, const std::string& path) {
    if (root.empty())
        return withSlashes(path);
    const std::string at = placed(path);
    if (at == root)
        return ".";
    const std::string prefix = inside(root, "");
    if (!at.empty() && at.compare(0, prefix.size(), prefix) == 0)
        return at.substr(prefix.size());
    return withSlashes(path);
}
