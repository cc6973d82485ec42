#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* openRegularFile(const std::string& path, std::string& problem, long long* size) {
    // O_NONBLOCK: opening a FIFO that no one writes to would otherwise wait for ever.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = std::strerror(errno);
        return nullptr;
    }
    struct stat info;
    if (fstat(fd, &info) != 0) {
        problem = std::strerror(errno);
        close(fd);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = notRegularFile;
        close(fd);
        return nullptr;
    }
    // Regular files never block; reads go on as usual.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        problem = std::strerror(errno);
        close(fd);
        return nullptr;
    }
    if (size)
        *size = static_cast<long long>(info.st_size);
    return file;
}
