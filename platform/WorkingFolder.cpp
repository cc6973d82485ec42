#include "platform/WorkingFolder.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#else
#include <unistd.h>
#endif

std::string enterFolder(const std::string& folder) {
    if (chdir(folder.c_str()) == 0)
        return std::string();
    return std::strerror(errno);
}
