#pragma once

#include <memory>
#include <string>
#include <vector>

// A change seen in a watched folder: to its entry `name`, or to the folder itself (deleted or
// moved away) when `name` is empty. An empty `folder` means that changes were lost (the
// system's queue overflowed), so anything may have changed.
struct FolderChange {
    std::string folder; // as it was given to watch()
    std::string name;
    bool isFolder = false; // the entry is a folder
};

// Watches folders, not recursively, for entries created, written, deleted, renamed or
// touched, and for the folders themselves going away. The operating system's notifications
// are queued by it and read without waiting, so that a frame loop can poll every frame.
class FileWatcher {
  public:
    // Without a notification service (the system's limit reached): one line on standard
    // error, and the watcher then reports nothing.
    FileWatcher();
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    // Watches exactly `folders` from now on; a folder watched before keeps its watch. A folder
    // that cannot be watched (missing, not a folder) gets one line on standard error; once the
    // system's limit is reached, that one line ends the call and later folders go unwatched.
    void watch(const std::vector<std::string>& folders);

    // The changes since the last call, in the order they happened; none without waiting.
    std::vector<FolderChange> changes();

  private:
    struct Watches;
    std::unique_ptr<Watches> watches_;
};
