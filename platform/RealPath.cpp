#include "platform/RealPath.h"

#include "platform/PathStatus.h"

#include <algorithm>
#include <cstdlib>

std::string realPath(const std::string& path) {
    if (!pathStatus(path).exists)
        return std::string();
#ifdef _WIN32
    char* real = _fullpath(nullptr, path.c_str(), 0);
#else
    char* real = realpath(path.c_str(), nullptr);
#endif
    if (!real)
        return std::string();
    std::string result = real;
    std::free(real);
#ifdef _WIN32
    std::replace(result.begin(), result.end(), '\\', '/');
#endif
    return result;
}
