#pragma once

#include "app/Debounce.h"
#include "app/KeyTable.h"
#include "app/WatchList.h"
#include "platform/FileWatcher.h"

// Keeps the level on screen in step with its files: watches the folders of the last scan and
// scans the level again once changes have settled for 100 ms, or at once on F5. A rescan runs
// between two frames, so no frame ever shows a level half scanned.
class LiveReload {
  public:
    // Starts watching the level loadLevel has scanned. Folders that cannot be watched are
    // reported (one line each, or one for the system's limit); F5 works regardless.
    LiveReload();

    // Once per frame, after its events: rescans when due, keeping the view and the page
    // (clamped to the last page that holds a row if the level shrank); returns the state
    // with the rescan request cleared.
    ViewState afterFrame(ViewState state);

  private:
    void rescan();

    FileWatcher watcher_;
    Debounce settle_{100};
    WatchList list_;
};

// Frees the loaded level (containers, sprites, their textures) and scans it again from its
// files, writing the scan's diagnostic lines again.
void reloadLevel();
