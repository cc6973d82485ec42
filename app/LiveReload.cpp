#include "app/LiveReload.h"

#include "app/Level.h"
#include "app/Pages.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <algorithm>

namespace {

// The files the scan read, as the catalogue names them: descriptions and the images they
// name, textures and swatches.
std::vector<std::string> scannedNames() {
    std::vector<std::string> names;
    for (const auto& entry : SpriteCatalog::get().sprites)
        names.push_back(entry.first);
    return names;
}

} // namespace

void reloadLevel() {
    unloadLevel();
    loadLevel();
}

LiveReload::LiveReload() : list_(WatchList::fromScan("", scannedNames())) {
    watcher_.watch(list_.folders());
}

ViewState LiveReload::afterFrame(ViewState state) {
    const uint32_t now = SDL_GetTicks();
    for (const FolderChange& change : watcher_.changes()) {
        if (list_.matters(change))
            settle_.changed(now);
    }
    if (settle_.due(now) || state.rescan) {
        settle_.cancel();
        rescan();
        state.rescan = false;
        // The collision view has no pages; the index waits there for the paged views.
        const PageCounts pages = countPages();
        if (state.viewMode != ViewMode::CollisionColors)
            state.pageIndex = std::min(
                state.pageIndex,
                (state.viewMode == ViewMode::Textures ? pages.textures : pages.objects) - 1);
    }
    return state;
}

void LiveReload::rescan() {
    reloadLevel();
    // Folders may have come or gone, and descriptions may name other images now.
    list_ = WatchList::fromScan("", scannedNames());
    watcher_.watch(list_.folders());
}
