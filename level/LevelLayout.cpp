#include "level/LevelLayout.h"

#include "listfile/FileExtension.h"
#include "platform/DirectoryListing.h"
#include "platform/PathStatus.h"

#include <future>
#include <iterator>

const char* const objectFolders[4] = {"characters", "events", "cutscenes", "entities"};
const char* const walkBehindSwatch = "levels/walkbehind_p.png";
const char* const walkIntoSwatch = "levels/walkinto_p.png";

namespace {

const char* const texturesFolder = "textures";

bool isPngName(const std::string& name) {
    return hasExtension(name, "png");
}

std::vector<LevelFile> filesIn(const std::string& level, const std::string& folder,
                               const std::string& extension, LevelFileKind kind) {
    std::vector<LevelFile> files;
    const auto wanted = [&](const std::string& name) { return hasExtension(name, extension); };
    for (const std::string& name : listEntries(levelPath(level, folder), wanted)) {
        if (isSwatchName(name))
            continue;
        const std::string path = folder + "/" + name;
        const std::string where = levelPath(level, path);
        std::string link;
        const PathStatus status = pathStatusAndLink(where, link);
        files.push_back({kind, path, swatchPathOf(path), link, unusableReasonOf(status, link)});
    }
    return files;
}

} // namespace

std::string levelPath(const std::string& level, const std::string& path) {
    return level.empty() ? path : level + "/" + path;
}

std::string unusableReason(const std::string& path, const std::string& link) {
    return unusableReasonOf(pathStatus(path), link);
}

std::string unusableReasonOf(const PathStatus& status, const std::string& link) {
    if (status.regular)
        return "";
    if (!link.empty() && !status.exists)
        return "a link to " + link + ", which does not exist";
    return "not a regular file";
}

bool isSwatchName(const std::string& name) {
    return name.size() >= 6 && name.compare(name.size() - 6, 2, "_p") == 0;
}

std::string swatchPathOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + "_p.png";
}

bool leavesLevel(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return true;
    int depth = 0;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0)
                return true;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

std::vector<LevelFile> textureFiles(const std::string& level, const std::string& extension) {
    return filesIn(level, texturesFolder, extension, LevelFileKind::Texture);
}

std::vector<LevelFile> objectFiles(const std::string& level, const std::string& folder) {
    return filesIn(level, folder, "txt", LevelFileKind::Object);
}

std::vector<std::string> scannedFolders() {
    std::vector<std::string> folders = {texturesFolder};
    folders.insert(folders.end(), std::begin(objectFolders), std::end(objectFolders));
    return folders;
}

bool isLevelFolder(const std::string& folder) {
    for (const std::string& scanned : scannedFolders()) {
        if (pathStatus(levelPath(folder, scanned)).folder)
            return true;
    }
    return false;
}

std::vector<std::string> swatchFiles(const std::string& level) {
    std::vector<std::string> swatches;
    for (const std::string& folder : scannedFolders()) {
        for (const std::string& name : listFiles(levelPath(level, folder), isPngName)) {
            if (isSwatchName(name))
                swatches.push_back(folder + "/" + name);
        }
    }
    return swatches;
}

std::vector<UnscannedFolder> unscannedFolders(const std::string& level) {
    std::vector<UnscannedFolder> found;
    for (const std::string& folder : scannedFolders()) {
        const bool textures = folder == texturesFolder;
        const auto levelFile = [](const std::string& name) {
            return isPngName(name) || hasExtension(name, "txt");
        };
        // A folder named like a level file is not looked into: the scan names one in
        // textures/ as no regular file, and it spares a look at each swatch of a big level.
        const auto unlisted = [&](const std::string& name) { return !levelFile(name); };
        for (const std::string& name : listEntries(levelPath(level, folder), unlisted)) {
            const std::string path = folder + "/" + name;
            if (!pathStatus(levelPath(level, path)).folder)
                continue;
            UnscannedFolder inside{path};
            for (const std::string& file : listFiles(levelPath(level, path), levelFile)) {
                if (isSwatchName(file))
                    inside.swatches += isPngName(file);
                else
                    inside.files += textures || !isPngName(file);
            }
            found.push_back(std::move(inside));
        }
    }
    return found;
}

std::vector<LevelFile> levelFiles(const std::string& level) {
    // The objects' folders are listed on a thread of their own meanwhile: each file is looked
    // at, and a big level's textures folder alone takes a while.
    std::future<std::vector<LevelFile>> objects = std::async(std::launch::async, [&level] {
        std::vector<LevelFile> files;
        for (const char* folder : objectFolders) {
            for (LevelFile& file : objectFiles(level, folder))
                files.push_back(std::move(file));
        }
        return files;
    });
    std::vector<LevelFile> files = textureFiles(level, "png");
    for (LevelFile& file : textureFiles(level, "txt"))
        files.push_back(std::move(file));
    files.push_back({LevelFileKind::WalkBehind, walkBehindSwatch, walkBehindSwatch});
    files.push_back({LevelFileKind::WalkInto, walkIntoSwatch, walkIntoSwatch});
    for (LevelFile& file : objects.get())
        files.push_back(std::move(file));
    return files;
}
