#include "platform/WindowsError.h"

#include <cerrno>
#include <cstring>
#include <windows.h>

std::string windowsErrorText(unsigned long code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return std::strerror(ENOENT);
    case ERROR_DIRECTORY:
        return std::strerror(ENOTDIR);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return std::strerror(EACCES);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return std::strerror(ENOMEM);
    default:
        return std::strerror(EIO);
    }
}
