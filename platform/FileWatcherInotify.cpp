// The Linux watcher, on inotify.

#include "platform/FileWatcher.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Entries created, written, deleted, renamed or touched; the folder itself removed or moved.
// Reading a file (IN_ACCESS, IN_CLOSE_NOWRITE) is left out, so that the scan's own reads never
// look like changes.
constexpr uint32_t watchedEvents = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF |
                                   IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

struct FileWatcher::Watches {
    int descriptor = -1;
    std::map<int, std::string> folderOf; // watch descriptor -> folder
};

FileWatcher::FileWatcher() : watches_(new Watches) {
    watches_->descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watches_->descriptor < 0) {
        std::fprintf(stderr, "Unable to watch the level for changes : %s\n", std::strerror(errno));
        std::fflush(stderr);
    }
}

FileWatcher::~FileWatcher() {
    if (watches_->descriptor >= 0)
        close(watches_->descriptor);
}

void FileWatcher::watch(const std::vector<std::string>& folders) {
    const int fd = watches_->descriptor;
    if (fd < 0)
        return;
    // Adding a folder already watched returns its descriptor again, so only watches left out
    // of the new list are removed.
    std::map<int, std::string> kept;
    for (const std::string& folder : folders) {
        const int wd = inotify_add_watch(fd, folder.c_str(), watchedEvents);
        if (wd < 0) {
            const int error = errno;
            std::fprintf(stderr, "Unable to watch %s for changes : %s\n", folder.c_str(),
                         std::strerror(error));
            std::fflush(stderr);
            // Past the system's limit every further folder would fail the same way.
            if (error == ENOSPC || error == ENOMEM)
                break;
            continue;
        }
        kept.emplace(wd, folder);
    }
    for (const auto& [wd, folder] : watches_->folderOf) {
        if (!kept.count(wd))
            inotify_rm_watch(fd, wd);
    }
    watches_->folderOf = std::move(kept);
}

std::vector<FolderChange> FileWatcher::changes() {
    std::vector<FolderChange> found;
    const int fd = watches_->descriptor;
    if (fd < 0)
        return found;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t length = read(fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                found.push_back(FolderChange()); // changes were lost: anything may have changed
                continue;
            }
            const auto watched = watches_->folderOf.find(event->wd);
            if (watched == watches_->folderOf.end())
                continue;
            FolderChange change;
            change.folder = watched->second;
            if (event->len > 0)
                change.name = event->name;
            change.isFolder = (event->mask & IN_ISDIR) != 0;
            found.push_back(change);
            // The system has dropped a watch whose folder went away.
            if (event->mask & IN_IGNORED)
                watches_->folderOf.erase(watched);
        }
    }
    return found;
}
