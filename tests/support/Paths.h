#pragma once

#include <string>

// The repository's root, for golden files, and the build folder, for the built programs.
inline std::string sourceRoot() {
    return LEVELCOLORS_SOURCE_DIR;
}
inline std::string buildRoot() {
    return LEVELCOLORS_BUILD_DIR;
}
