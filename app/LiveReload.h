#pragma once

#include "app/Debounce.h"
#include "app/Frame.h"
#include "app/KeyTable.h"
#include "app/Level.h"
#include "app/LevelScan.h"
#include "app/WatchList.h"
#include "platform/FileWatcher.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Loads the level and keeps it on screen in step with its files: watches the folders of the
// last scan and scans the level again once changes have settled for 40 ms, or at once on F5.
// A scan runs a slice at a time between frames (work), so the window keeps going: the first
// load and F5's fill the shown level as files come, and a rescan builds the next level beside
// the shown one and swaps it in whole, so no frame shows a level half scanned again. The fonts
// and the two decorations are watched at the files they were loaded from (and at the level's
// own paths, where a copy of its own would take over); a change to one loads that picture
// again, without a rescan, after the same 40 ms of quiet.
class LiveReload {
  public:
    // Starts loading the level (into the shown level, which is empty); `background` and
    // `overlay` are loaded again in place when their files change. Once it is loaded, the
    // level and the pictures are watched; folders that cannot be watched are reported (one
    // line each, or one for the system's limit); F5 works regardless.
    LiveReload(Decoration& background, Decoration& overlay);

    // Scans files of the scan under way until SDL's tick counter passes `deadline` (one file
    // at least), and ends the scan after its last: a rescan after a scan with problems ends in
    // one line (see rescanLine), the pictures waiting are loaded again and the level is
    // watched as scanned. Nothing when no scan is under way. Never fails.
    void work(uint32_t deadline);

    // Once per frame, after its events: after a scan that work() ended, clamps the page to the
    // last page that holds a row if the level shrank; else starts a scan when due (keeping the
    // files that did not change; F5 reads everything again, all the pictures too) and loads again
    // the pictures whose files changed. While a scan is under way, F5 waits for its end. Returns
    // the state with the rescan request cleared once taken.
    ViewState afterFrame(ViewState state);

    // The load under way (the first, or F5's): how many files are read, of how many; none
    // while the shown level is whole.
    std::optional<LoadingProgress> loading() const;

    // Takes the changes the watcher has seen since it last looked, for afterFrame to act on;
    // returns whether one of them matters (to the level or a picture). Never fails.
    bool noteChanges(uint32_t now);
    // Whether the window may change with no event coming: a scan is under way, a change is
    // settling, or the last afterFrame scanned the level or loaded a picture again, which no
    // frame has shown yet.
    bool busy() const { return scan_ || scanEnded_ || settle_.pending() || reloaded_; }

    // Watches these files too (the maps), as the files a scan reads: a change to one is a
    // change to the level. Folders that cannot be watched are reported as in the constructor
    // (once the level is loaded, when it is not yet).
    void watchAlso(std::vector<std::string> files);

    // How many scans of the level have ended, so that what reads the level's files as well
    // (the map view) knows to read them again.
    uint64_t scans() const { return scans_; }
    // How many times the shown level has changed (a slice of a load, an unload, a swap), so
    // that what holds on to its sprites (the map view) knows to let go of them.
    uint64_t levelChanges() const { return levelChanges_; }

  private:
    struct Picture {
        const char* path; // as the level names it
        std::function<void()> reload;
    };

    // Watches the level as last scanned and the files the pictures load from now.
    void watch();
    // After the scan's last slice: its line, the pictures waiting for it, the watch.
    void endScan();
    // Loads again the pictures whose files changed (all after F5), and watches anew.
    void reloadPictures();

    FileWatcher watcher_;
    Debounce settle_{40};
    WatchList list_;
    std::vector<Picture> pictures_;
    bool levelChanged_ = false;
    uint64_t scans_ = 0;
    uint64_t levelChanges_ = 0;
    std::vector<std::string> also_;
    std::set<std::string> picturesChanged_;
    bool allPictures_ = false; // F5 loads every picture again
    std::optional<size_t> lastProblems_;
    bool reloaded_ = false;
    KeptFiles kept_;
    std::unique_ptr<LevelScan> scan_;
    bool firstLoad_ = true;
    bool scanEnded_ = false; // for the next afterFrame to clamp the page
};

// The line a rescan ends in, so that the last lines on a terminal are never stale: after a scan
// that wrote problem lines, "level scanned again: no problems" or "level scanned again: N
// problems above" ("1 problem above"); "" after a clean scan or when a count is unknown.
std::string rescanLine(std::optional<size_t> before, std::optional<size_t> now);
