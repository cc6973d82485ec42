#include "platform/FileStamp.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <time.h>
#endif

std::optional<FileStamp> fileStamp(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return std::nullopt;
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    constexpr int64_t billion = 1000000000;
    FileStamp stamp;
    stamp.size = int64_t(info.st_size);
    stamp.modified = int64_t(info.st_mtim.tv_sec) * billion + int64_t(info.st_mtim.tv_nsec);
    stamp.changed = int64_t(info.st_ctim.tv_sec) * billion + int64_t(info.st_ctim.tv_nsec);
    stamp.inode = uint64_t(info.st_ino);
    stamp.device = uint64_t(info.st_dev);
    // Well past any clock tick of the file times.
    constexpr int64_t settling = 50 * 1000000;
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    stamp.settled = stamp.changed < int64_t(now.tv_sec) * billion + now.tv_nsec - settling &&
                    stamp.modified < int64_t(now.tv_sec) * billion + now.tv_nsec - settling;
    return stamp;
#endif
}
