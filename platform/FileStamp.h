#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What tells a file's contents apart without reading them: its size, modification and change
// times (to the nanosecond) and its inode, links followed. Equal stamps are taken to mean
// unchanged contents; a save in place, by rename or by re-creation changes the stamp.
struct FileStamp {
    int64_t size = 0;
    int64_t modified = 0; // nanoseconds
    int64_t changed = 0;  // nanoseconds
    uint64_t inode = 0;
    uint64_t device = 0;
    // Whether the file had been left alone for a while when it was stamped. File times step
    // by the system's clock tick, so a change made soon after a stamp may leave the same
    // times; an unsettled stamp therefore tells nothing about later changes.
    bool settled = false;

    // The same file, unchanged (settled or not).
    bool operator==(const FileStamp& other) const {
        return size == other.size && modified == other.modified && changed == other.changed &&
               inode == other.inode && device == other.device;
    }
};

// The stamp of `path`; none when it cannot be looked at, and always none where the system gives
// no inode and no fine times (Windows), so that nothing is ever taken as unchanged there.
std::optional<FileStamp> fileStamp(const std::string& path);
