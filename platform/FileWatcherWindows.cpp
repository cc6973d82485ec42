// The Windows watcher: one overlapped ReadDirectoryChangesW per folder, polled without
// waiting.

#include "platform/FileWatcher.h"

#include "platform/WindowsError.h"

#include <cstdio>
#include <map>
#include <windows.h>

namespace {

// Entries created, deleted, renamed, written or touched. Reading a file changes nothing
// watched here (last access is left out), so the scan's own reads never look like changes.
constexpr DWORD watchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                 FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                 FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;

// One watched folder and its read in flight. The system writes into `buffer` until the read
// completes or is cancelled, so a watch is never moved and is freed only after both.
struct FolderWatch {
    std::string folder;
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped{};
    bool reading = false;
    alignas(DWORD) char buffer[16384];

    bool startRead() {
        overlapped = OVERLAPPED{};
        reading = ReadDirectoryChangesW(handle, buffer, sizeof buffer, FALSE, watchedChanges,
                                        nullptr, &overlapped, nullptr) != 0;
        return reading;
    }

    ~FolderWatch() {
        if (reading) {
            CancelIo(handle);
            DWORD bytes = 0;
            GetOverlappedResult(handle, &overlapped, &bytes, TRUE);
        }
        CloseHandle(handle);
    }
};

std::string narrowName(const wchar_t* name, DWORD bytes) {
    const int length = int(bytes / sizeof(wchar_t));
    const int size = WideCharToMultiByte(CP_ACP, 0, name, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, name, length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

void reportUnwatched(const std::string& folder, DWORD error) {
    std::fprintf(stderr, "Unable to watch %s for changes : %s\n", folder.c_str(),
                 windowsErrorText(error).c_str());
    std::fflush(stderr);
}

} // namespace

struct FileWatcher::Watches {
    std::map<std::string, std::unique_ptr<FolderWatch>> byFolder;
};

FileWatcher::FileWatcher() : watches_(new Watches) {}

FileWatcher::~FileWatcher() = default;

void FileWatcher::watch(const std::vector<std::string>& folders) {
    std::map<std::string, std::unique_ptr<FolderWatch>> kept;
    for (const std::string& folder : folders) {
        auto old = watches_->byFolder.find(folder);
        if (old != watches_->byFolder.end()) {
            kept.emplace(folder, std::move(old->second));
            continue;
        }
        auto watch = std::make_unique<FolderWatch>();
        watch->folder = folder;
        // Shared for deleting too, so that watching a folder never stops it going away.
        watch->handle =
            CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        if (watch->handle == INVALID_HANDLE_VALUE || !watch->startRead()) {
            reportUnwatched(folder, GetLastError());
            continue;
        }
        kept.emplace(folder, std::move(watch));
    }
    watches_->byFolder = std::move(kept);
}

std::vector<FolderChange> FileWatcher::changes() {
    std::vector<FolderChange> found;
    for (auto at = watches_->byFolder.begin(); at != watches_->byFolder.end();) {
        FolderWatch& watch = *at->second;
        DWORD bytes = 0;
        const bool done = GetOverlappedResult(watch.handle, &watch.overlapped, &bytes, FALSE);
        const DWORD error = done ? ERROR_SUCCESS : GetLastError();
        if (error == ERROR_IO_INCOMPLETE) {
            ++at;
            continue;
        }
        watch.reading = false;
        // No bytes: more changes than the buffer held, so anything may have changed.
        if ((done && bytes == 0) || error == ERROR_NOTIFY_ENUM_DIR)
            found.push_back(FolderChange());
        for (DWORD offset = 0; done && bytes > 0;) {
            const auto* entry =
                reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(watch.buffer + offset);
            FolderChange change;
            change.folder = watch.folder;
            change.name = narrowName(entry->FileName, entry->FileNameLength);
            const DWORD attributes =
                GetFileAttributesA((watch.folder + "\\" + change.name).c_str());
            change.isFolder =
                attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
            found.push_back(change);
            if (entry->NextEntryOffset == 0)
                break;
            offset += entry->NextEntryOffset;
        }
        // A read that fails, or cannot start again, means the folder itself has gone.
        if ((!done && error != ERROR_NOTIFY_ENUM_DIR) || !watch.startRead()) {
            FolderChange gone;
            gone.folder = watch.folder;
            found.push_back(gone);
            at = watches_->byFolder.erase(at);
            continue;
        }
        ++at;
    }
    return found;
}
