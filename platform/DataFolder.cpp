#include "platform/DataFolder.h"

#include "platform/ExecutablePath.h"
#include "platform/PathStatus.h"

#include <climits>
#include <cstdlib>

namespace {

bool isFolder(const std::string& path) {
    return pathStatus(path).folder;
}

bool isFile(const std::string& path) {
    return pathStatus(path).regular;
}

#ifdef _WIN32

const char* const place = "\"data\" beside its .exe";

// The "data" folder beside the executable: a copy of the demo level, which holds them all.
std::string locateDataFolder() {
    const std::string executable = executablePath();
    const size_t slash = executable.find_last_of("\\/");
    if (slash == std::string::npos)
        return std::string();
    const std::string beside = executable.substr(0, slash) + "\\data";
    return isFolder(beside) ? beside : std::string();
}

#else

const char* const place = "share/levelcolors beside its bin folder";

std::string resolved(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    if (!real)
        return std::string();
    std::string result = real;
    std::free(real);
    return result;
}

std::string locateDataFolder() {
    const std::string executable = executablePath();
    const size_t slash = executable.rfind('/');
    if (slash == std::string::npos)
        return std::string();
    const std::string binFolder = executable.substr(0, slash);
    const std::string installed = binFolder + "/../share/levelcolors";
    if (isFolder(installed))
        return resolved(installed);
    // The build folder holds no copy of the data: the source tree's demo level has it all.
    const std::string buildFolder = resolved(LEVELCOLORS_BUILD_FOLDER);
    if (!buildFolder.empty() && resolved(binFolder) == buildFolder &&
        isFolder(LEVELCOLORS_SOURCE_DATA_FOLDER))
        return LEVELCOLORS_SOURCE_DATA_FOLDER;
    return std::string();
}

#endif

} // namespace

const std::string& dataFolder() {
    static const std::string folder = locateDataFolder();
    return folder;
}

const char* dataFolderPlace() {
    return place;
}

std::string findDataFile(const std::string& relative) {
    if (isFile(relative) || dataFolder().empty())
        return relative;
    const std::string shared = dataFolder() + "/" + relative;
    return isFile(shared) ? shared : relative;
}
