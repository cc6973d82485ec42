// The watcher of a system without a notification service here: it says so once and then
// reports nothing; F5 still scans the level again.

#include "platform/FileWatcher.h"

#include <cstdio>

struct FileWatcher::Watches {};

FileWatcher::FileWatcher() {
    std::fputs("Unable to watch the level for changes : not supported on this system; F5 scans "
               "it again\n",
               stderr);
    std::fflush(stderr);
}

FileWatcher::~FileWatcher() = default;

void FileWatcher::watch(const std::vector<std::string>&) {}

std::vector<FolderChange> FileWatcher::changes() {
    return {};
}
