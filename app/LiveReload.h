#pragma once

#include "app/Debounce.h"
#include "app/Frame.h"
#include "app/KeyTable.h"
#include "app/Level.h"
#include "app/WatchList.h"
#include "platform/FileWatcher.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Keeps the level on screen in step with its files: watches the folders of the last scan and
// scans the level again once changes have settled for 100 ms, or at once on F5. A rescan runs
// between two frames, so no frame ever shows a level half scanned. The fonts and the two
// decorations are watched at the files they were loaded from (and at the level's own paths,
// where a copy of its own would take over); a change to one loads that picture again, without
// a rescan, after the same 100 ms of quiet.
class LiveReload {
  public:
    // Starts watching the level loadLevel has scanned, and the pictures; `background` and
    // `overlay` are loaded again in place when their files change. `scanProblems` is how many
    // problem lines that scan wrote (none when unknown). Folders that cannot be watched are
    // reported (one line each, or one for the system's limit); F5 works regardless.
    // `kept` is what that scan leaves for rescans to keep (see rescanLevel).
    LiveReload(Decoration& background, Decoration& overlay, std::optional<size_t> scanProblems,
               KeptFiles kept);

    // Once per frame, after its events: rescans when due (keeping the files that did not change;
    // F5 reads everything again), keeping the view and the page
    // (clamped to the last page that holds a row if the level shrank), and loads again the
    // pictures whose files changed (F5: all of them); returns the state with the rescan
    // request cleared. A rescan after a scan with problems ends in one line (rescanLine).
    ViewState afterFrame(ViewState state);

    // Takes the changes the watcher has seen since it last looked, for afterFrame to act on;
    // returns whether one of them matters (to the level or a picture). Never fails.
    bool noteChanges(uint32_t now);
    // Whether the window may change with no event coming: a change is settling, or the last
    // afterFrame scanned the level or loaded a picture again, which no frame has shown yet.
    bool busy() const { return settle_.pending() || reloaded_; }

    // Watches these files too (the maps), as the files a scan reads: a change to one is a
    // change to the level. Folders that cannot be watched are reported as in the constructor.
    void watchAlso(std::vector<std::string> files);

    // How many times the level was scanned again, so that what holds on to its sprites (the
    // map view) knows to let go of them.
    uint64_t scans() const { return scans_; }

  private:
    struct Picture {
        const char* path; // as the level names it
        std::function<void()> reload;
    };

    // Watches the level as last scanned and the files the pictures load from now.
    void watch();

    FileWatcher watcher_;
    Debounce settle_{100};
    WatchList list_;
    std::vector<Picture> pictures_;
    bool levelChanged_ = false;
    uint64_t scans_ = 0;
    std::vector<std::string> also_;
    std::set<std::string> picturesChanged_;
    std::optional<size_t> lastProblems_;
    bool reloaded_ = false;
    KeptFiles kept_;
};

// Frees the loaded level (containers, sprites, their textures) and scans it again from its
// files, writing the scan's diagnostic lines again; returns how many it wrote, as
// loadLevelCountingProblems does. `kept` is left with what the new scan read.
std::optional<size_t> reloadLevel(KeptFiles& kept);

// The line a rescan ends in, so that the last lines on a terminal are never stale: after a scan
// that wrote problem lines, "level scanned again: no problems" or "level scanned again: N
// problems above" ("1 problem above"); "" after a clean scan or when a count is unknown.
std::string rescanLine(std::optional<size_t> before, std::optional<size_t> now);
