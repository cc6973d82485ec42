#pragma once

#include <string>

// The repository's root, for golden files, and the build folder, for the built programs.
inline std::string sourceRoot() {
    return LEVELCOLORS_SOURCE_DIR;
}
inline std::string buildRoot() {
    return LEVELCOLORS_BUILD_DIR;
}

// What programs started by the tests preload: in the sanitizer build, the sanitizer's
// runtime and the GL driver, so that the driver stays loaded until the leak check; else "".
inline std::string viewerPreload() {
    return LEVELCOLORS_VIEWER_PRELOAD;
}
