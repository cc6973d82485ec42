#include "app/LiveReload.h"

#include "app/Fonts.h"
#include "app/Level.h"
#include "app/Pages.h"
#include "gfx/Renderer.h"
#include "platform/DataFolder.h"
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

std::string rescanLine(std::optional<size_t> before, std::optional<size_t> now) {
    if (!before || *before == 0 || !now)
        return "";
    if (*now == 0)
        return "level scanned again: no problems";
    return "level scanned again: " + std::to_string(*now) +
           (*now == 1 ? " problem above" : " problems above");
}

LiveReload::LiveReload(Decoration& background, Decoration& overlay)
    : pictures_{
          {Fonts::bigFontPath, [] { Fonts::reload(false); }},
          {Fonts::smallFontPath, [] { Fonts::reload(true); }},
          {backgroundPath, [&background] { reloadDecoration(background, backgroundPath); }},
          {overlayPath, [&overlay] { reloadDecoration(overlay, overlayPath); }},
      },
      scan_(std::make_unique<LevelScan>(LevelScan::Kind::Load, &kept_, shownLevel)) {}

void LiveReload::work(uint32_t deadline) {
    if (!scan_)
        return;
    scan_->stepUntil(deadline);
    // A load fills the shown level as it goes; a rescan changes it when it swaps at its end.
    if (scan_->kind() == LevelScan::Kind::Load || scan_->ended())
        ++levelChanges_;
    // Ended before the frame that shows it, so that the level is watched from the first frame
    // that shows it loaded.
    if (scan_->ended())
        endScan();
}

std::optional<LoadingProgress> LiveReload::loading() const {
    if (!scan_ || scan_->kind() != LevelScan::Kind::Load || scan_->ended())
        return std::nullopt;
    return LoadingProgress{scan_->filesRead(), scan_->fileCount()};
}

bool LiveReload::noteChanges(uint32_t now) {
    bool noted = false;
    for (const FolderChange& change : watcher_.changes()) {
        const bool level = list_.matters(change);
        const std::set<std::string> pictures = list_.pictures(change);
        if (level || !pictures.empty()) {
            settle_.changed(now);
            noted = true;
        }
        levelChanged_ = levelChanged_ || level;
        picturesChanged_.insert(pictures.begin(), pictures.end());
    }
    return noted;
}

void LiveReload::watchAlso(std::vector<std::string> files) {
    // Watched again only for files to add, so that a folder is not reported twice; while the
    // level first loads, they wait for the watch that follows it.
    if (files.empty())
        return;
    also_ = std::move(files);
    if (!firstLoad_)
        watch();
}

void LiveReload::endScan() {
    const std::optional<size_t> problems = scan_->problems();
    scan_.reset();
    if (!firstLoad_) {
        const std::string line = rescanLine(lastProblems_, problems);
        if (!line.empty())
            standardError().report({DiagnosticKind::Level, "", {}, "", line});
    }
    firstLoad_ = false;
    lastProblems_ = problems;
    ++scans_;
    scanEnded_ = true;
    reloadPictures();
}

void LiveReload::reloadPictures() {
    for (const Picture& picture : pictures_) {
        if (allPictures_ || picturesChanged_.count(picture.path))
            picture.reload();
    }
    // Folders may have come or gone, descriptions may name other images now, and a picture
    // may load from elsewhere.
    watch();
    allPictures_ = false;
    picturesChanged_.clear();
}

ViewState LiveReload::afterFrame(ViewState state) {
    const uint32_t now = SDL_GetTicks();
    noteChanges(now);
    reloaded_ = false;
    if (scan_)
        return state; // F5 pressed meanwhile waits, still asked for, until the scan ends
    if (scanEnded_) {
        scanEnded_ = false;
        reloaded_ = true;
        // The collision view has no pages; the index waits there for the paged views.
        if (state.viewMode == ViewMode::Textures || state.viewMode == ViewMode::Objects)
            state.pageIndex =
                std::min(state.pageIndex, countPages(state, shownLevel).of(state.viewMode) - 1);
        return state;
    }
    reloaded_ = settle_.due(now) || state.rescan;
    if (!reloaded_)
        return state;
    settle_.cancel();
    if (levelChanged_ || state.rescan) {
        // F5 is for edits no watch can see, which may have left a file's stamp as it was.
        if (state.rescan) {
            unloadLevel();
            kept_ = KeptFiles();
            ++levelChanges_;
        }
        // The pictures follow the scan's lines, once it has ended.
        scan_ = std::make_unique<LevelScan>(
            state.rescan ? LevelScan::Kind::Load : LevelScan::Kind::Rescan, &kept_, shownLevel);
        allPictures_ = allPictures_ || state.rescan;
        levelChanged_ = false;
        state.rescan = false;
        return state;
    }
    reloadPictures();
    return state;
}

void LiveReload::watch() {
    std::vector<std::pair<std::string, std::string>> pictureFiles;
    for (const Picture& picture : pictures_) {
        pictureFiles.emplace_back(picture.path, picture.path);
        const std::string loaded = findDataFile(picture.path);
        if (loaded != picture.path)
            pictureFiles.emplace_back(loaded, picture.path);
    }
    std::vector<std::string> named = scannedNames();
    named.insert(named.end(), also_.begin(), also_.end());
    list_ = WatchList::fromScan("", named, pictureFiles);
    watcher_.watch(list_.folders());
}
