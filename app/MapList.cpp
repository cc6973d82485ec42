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

void readMap(MapList::Map& map, MapNavigation::Size area, DiagnosticSink& sink) {
    map.straysCounted = false;
    ++map.generation;
    // A PNG is read straight into the cells, held once; anything else, and a PNG that cannot
    // be read so, through the image library, which says why it cannot be read.
    int width = 0, height = 0;
    map.read = readPngPixels(map.path, width, height, map.pixels);
    if (map.read) {
        map.width = width;
        map.height = height;
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
        map.pixels.clear();
        map.width = map.height = 0;
        return;
    }
    map.width = image->w;
    map.height = image->h;
    map.pixels.resize(size_t(image->w) * size_t(image->h));
    SDL_LockSurface(image.get());
    for (int y = 0; y < image->h; ++y)
        std::copy_n(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(image->pixels) +
                                                      size_t(y) * size_t(image->pitch)),
                    size_t(image->w), map.pixels.begin() + ptrdiff_t(size_t(y) * size_t(image->w)));
    SDL_UnlockSurface(image.get());
    // A map saved at another size keeps its view, as far as the map stays in view.
    map.view.keepInView({map.width, map.height}, area);
}

} // namespace

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
    for (const std::string& path : levelMaps()) {
        listed.emplace_back();
        listed.back().path = path;
        for (const Map& old : maps_) {
            if (old.path == path)
                listed.back().view = old.view;
        }
    }
    maps_ = std::move(listed);
}

void MapList::read(MapNavigation::Size area, DiagnosticSink& sink) {
    for (Map& map : maps_)
        readMap(map, area, sink);
}

std::vector<std::string> MapList::paths() const {
    std::vector<std::string> paths;
    for (const Map& map : maps_)
        paths.push_back(map.path);
    return paths;
}
