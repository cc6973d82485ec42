#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

#ifdef _WIN32
// No FIFO blocks an open here; binary mode keeps line ends as they are in the file.
constexpr int openFlags = O_RDONLY | O_BINARY | O_NOINHERIT;
void stopNonBlocking(int) {}
#else
// O_NONBLOCK: opening a FIFO that no one writes to would otherwise wait for ever.
constexpr int openFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
// Regular files never block; reads go on as usual.
void stopNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}
#endif

} // namespace

std::FILE* openRegularFile(const std::string& path, std::string& problem, long long* size,
                           bool* refused) {
    if (refused)
        *refused = false;
    const int fd = open(path.c_str(), openFlags);
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
        if (refused)
            *refused = true;
        close(fd);
        return nullptr;
    }
    stopNonBlocking(fd);
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
