#include "level/MapRecovery.h"

#include "level/MapImageReader.h"
#include "level/MapImageWriter.h"
#include "platform/DirectoryListing.h"
#include "platform/RealPath.h"
#include "platform/StateFolder.h"
#include "platform/WorkingFolder.h"

#include <algorithm>
#include <ctime>
#include <utility>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

// FNV-1a, 64 bits: a name's hash the same on every system and every run.
std::string hashOf(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    const char* digits = "0123456789abcdef";
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        hex[size_t(i)] = digits[hash & 15];
    return hex;
}

size_t lastSeparator(const std::string& path) {
#ifdef _WIN32
    return path.find_last_of("/\\");
#else
    return path.rfind('/');
#endif
}

std::string stemOf(const std::string& map) {
    const size_t slash = lastSeparator(map);
    std::string name = slash == std::string::npos ? map : map.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

MapRecovery::MapRecovery(std::string folder, std::string run)
    : folder_(std::move(folder)), run_(std::move(run)) {}

std::string MapRecovery::runNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
#ifdef _WIN32
    localtime_s(&local, &now);
    const long pid = long(_getpid());
#else
    localtime_r(&now, &local);
    const long pid = long(getpid());
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return std::string(stamp) + "-" + std::to_string(pid);
}

std::string MapRecovery::mapName(const std::string& mapPath) {
    std::string real = realPath(mapPath);
    if (!real.empty())
        return real;
    const size_t slash = lastSeparator(mapPath);
    const std::string folder = slash == std::string::npos ? "." : mapPath.substr(0, slash);
    const std::string name = slash == std::string::npos ? mapPath : mapPath.substr(slash + 1);
    real = realPath(folder);
    if (!real.empty())
        return real + "/" + name;
    const bool absolute = !mapPath.empty() && (mapPath[0] == '/' || mapPath.find(':') == 1);
    return absolute ? mapPath : workingFolder() + "/" + mapPath;
}

std::string MapRecovery::prefixOf(const std::string& map) const {
    return stemOf(map) + "." + hashOf(map) + ".";
}

std::string MapRecovery::fileOf(const std::string& map) const {
    return folder_ + "/" + prefixOf(map) + run_ + ".png";
}

std::string MapRecovery::write(const std::string& map, int width, int height,
                               const std::vector<uint32_t>& pixels) const {
    if (folder_.empty())
        return "no folder for it: neither XDG_STATE_HOME nor HOME is set";
    const std::string made = makeFolders(folder_);
    if (!made.empty())
        return made;
    MapImage image;
    image.width = width;
    image.height = height;
    image.pixels = pixels;
    MapTextChunk name;
    name.key = mapKey;
    name.text = map;
    name.international = true; // a path is UTF-8, which tEXt cannot hold
    image.kind.text.push_back(std::move(name));
    // Nothing of an older file to keep: its notes (owner, group) tell nothing here.
    DiagnosticList notes;
    std::string problem;
    saveMapImage(fileOf(map), image, {}, notes, problem);
    return problem;
}

std::vector<MapRecovery::File> MapRecovery::filesOf(const std::string& map, bool own) const {
    const std::string prefix = prefixOf(map);
    const std::string ownName = prefix + run_ + ".png";
    std::vector<File> files;
    for (const std::string& name : listFiles(folder_, [&](const std::string& name) {
             return name.compare(0, prefix.size(), prefix) == 0 && endsWith(name, ".png") &&
                    (own || name != ownName);
         })) {
        const std::string path = folder_ + "/" + name;
        if (const std::optional<int64_t> modified = modifiedTime(path))
            files.push_back({path, *modified});
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const File& a, const File& b) { return a.modified < b.modified; });
    return files;
}

std::string MapRecovery::removeAll(const std::string& map) const {
    std::string first;
    for (const File& file : filesOf(map, true)) {
        const std::string problem = removeFile(file.path);
        if (first.empty())
            first = problem;
    }
    return first;
}

std::optional<MapImage> MapRecovery::read(const std::string& file, const std::string& map,
                                          std::string& reason) {
    std::optional<MapImage> image = readMapImage(file, reason);
    if (!image)
        return std::nullopt;
    const auto named =
        std::find_if(image->kind.text.begin(), image->kind.text.end(),
                     [](const MapTextChunk& chunk) { return chunk.key == MapRecovery::mapKey; });
    if (named == image->kind.text.end() || named->text != map) {
        reason = "belongs to another map";
        return std::nullopt;
    }
    return image;
}
