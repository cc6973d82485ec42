#include "app/MapList.h"

#include "level/LevelLayout.h"
#include "listfile/FileExtension.h"
#include "platform/DirectoryListing.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "platform/PngPixels.h"

#include <SDL.h>
#include <algorithm>

namespace {

std::vector<std::string> levelMaps() {
    std::vector<std::string> maps;
    for (const std::string& name :
         listFiles("levels", [](const std::string& name) { return hasExtension(name, "png"); })) {
        if (!isSwatchName(name))
            maps.push_back("levels/" + name);
    }
    return maps;
}

// Whether a map's file is as the map was last read or saved here: then its pixels and undo stay.
bool unchangedOnDisk(const MapList::Map& map, const std::optional<FileStamp>& now) {
    return map.read && map.stamp && now && *map.stamp == *now &&
           (map.stamp->settled || map.savedHere);
}

} // namespace

void MapList::readOne(Map& map, MapNavigation::Size area, DiagnosticSink& sink) {
    map.straysCounted = false;
    map.changedOnDisk = false;
    map.savedHere = false;
    map.kind.reset();
    ++map.generation;
    // Stamped before the read, so that a change made while it reads shows as one later.
    map.stamp = fileStamp(map.path);
    // A PNG is read straight into the cells, held once; anything else, and a PNG that cannot
    // be read so, through the image library, which says why it cannot be read.
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    map.read = readPngPixels(map.path, width, height, pixels);
    if (map.read) {
        map.width = width;
        map.height = height;
        map.editor = MapEditor(MapCanvas(width, height, std::move(pixels)));
        map.view.keepInView({map.width, map.height}, area);
        return;
    }
    std::string reason;
    // Read at its own size: each pixel stays a cell, however large the map.
    const OwnedSurface image(toDisplayFormat(readImage(map.path, &reason, sink)));
    map.read = image != nullptr;
    if (!image) {
        // Named by its part in the level, as a swatch that cannot be read is.
        if (!reason.empty())
            sink.report({DiagnosticKind::Level,
                         map.path,
                         {},
                         "",
                         "Unable to read map " + map.path + " : " + reason});
        map.editor = MapEditor(MapCanvas());
        map.width = map.height = 0;
        return;
    }
    map.width = image->w;
    map.height = image->h;
    pixels.resize(size_t(image->w) * size_t(image->h));
    SDL_LockSurface(image.get());
    for (int y = 0; y < image->h; ++y)
        std::copy_n(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(image->pixels) +
                                                      size_t(y) * size_t(image->pitch)),
                    size_t(image->w), pixels.begin() + ptrdiff_t(size_t(y) * size_t(image->w)));
    SDL_UnlockSurface(image.get());
    map.editor = MapEditor(MapCanvas(map.width, map.height, std::move(pixels)));
    // A map saved at another size keeps its view, as far as the map stays in view.
    map.view.keepInView({map.width, map.height}, area);
}

MapList::MapList(std::vector<std::string> given) : given_(!given.empty()) {
    for (std::string& path : given_ ? given : levelMaps()) {
        maps_.emplace_back();
        maps_.back().path = std::move(path);
    }
}

void MapList::relist() {
    if (given_)
        return;
    std::vector<Map> listed;
    std::vector<std::string> paths = levelMaps();
    // A map whose file is gone keeps its place while it has edits to save.
    for (const Map& old : maps_) {
        if (old.unsaved() && std::find(paths.begin(), paths.end(), old.path) == paths.end())
            paths.push_back(old.path);
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        const auto old = std::find_if(maps_.begin(), maps_.end(),
                                      [&](const Map& map) { return map.path == path; });
        if (old != maps_.end())
            listed.push_back(std::move(*old));
        else {
            listed.emplace_back();
            listed.back().path = path;
        }
    }
    maps_ = std::move(listed);
}

void MapList::read(MapNavigation::Size area, DiagnosticSink& sink) {
    for (Map& map : maps_) {
        const std::optional<FileStamp> now = fileStamp(map.path);
        if (map.unsaved()) {
            // Edits are never read over; a file changed or made anew since is noted.
            if (now && (!map.stamp || !(*map.stamp == *now)))
                map.changedOnDisk = true;
            map.straysCounted = false;
            continue;
        }
        if (unchangedOnDisk(map, now)) {
            map.straysCounted = false; // the level's markers may have changed
            map.view.keepInView({map.width, map.height}, area);
            continue;
        }
        readOne(map, area, sink);
    }
}

bool MapList::anyUnsaved() const {
    return std::any_of(maps_.begin(), maps_.end(), [](const Map& map) { return map.unsaved(); });
}

void MapList::shareUndoBudget(Map& map, size_t budget) {
    size_t others = 0;
    for (const Map& other : maps_)
        if (&other != &map)
            others += other.editor.history().bytes();
    map.editor.history().setBudget(others < budget ? budget - others : 0);
}

std::vector<std::string> MapList::paths() const {
    std::vector<std::string> paths;
    for (const Map& map : maps_)
        paths.push_back(map.path);
    return paths;
}
