#include "platform/WorkingFolder.h"

#include <cerrno>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#define getcwd _getcwd
#else
#include <unistd.h>
#endif

std::string enterFolder(const std::string& folder) {
    if (chdir(folder.c_str()) == 0)
        return std::string();
    return std::strerror(errno);
}

std::string workingFolder() {
    for (size_t size = 256; size <= (size_t(1) << 20); size *= 4) {
        std::vector<char> path(size);
        if (getcwd(path.data(), int(size)))
            return path.data();
        if (errno != ERANGE)
            break;
    }
    return std::string();
}
