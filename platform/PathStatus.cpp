#include "platform/PathStatus.h"

#include <cerrno>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

PathStatus pathStatus(const std::string& path) {
    PathStatus status;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        status.error = errno;
        return status;
    }
    status.exists = true;
    status.folder = S_ISDIR(info.st_mode);
    status.regular = S_ISREG(info.st_mode);
    return status;
}

std::string linkTarget(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return "";
#else
    // Grown until the target fits: a link may name a path of any length.
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return "";
        if (size_t(length) < target.size()) {
            target.resize(size_t(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
#endif
}

PathStatus pathStatusAndLink(const std::string& path, std::string& link) {
    link.clear();
#ifndef _WIN32
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        PathStatus status;
        status.exists = true;
        status.folder = S_ISDIR(info.st_mode);
        status.regular = S_ISREG(info.st_mode);
        return status;
    }
    link = linkTarget(path);
#endif
    return pathStatus(path);
}
