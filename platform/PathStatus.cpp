#include "platform/PathStatus.h"

#include <cerrno>
#include <sys/stat.h>

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
