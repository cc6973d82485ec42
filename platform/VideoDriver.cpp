#include "platform/VideoDriver.h"

#include <cstdlib>

namespace {

constexpr const char* variable = "SDL_VIDEODRIVER";

// SDL tries the drivers of a comma-separated list in turn.
#ifdef _WIN32
constexpr const char* desktopDrivers = "windows";
#else
constexpr const char* desktopDrivers = "x11,wayland";
#endif

} // namespace

void chooseDesktopVideoDrivers() {
    if (std::getenv(variable))
        return;
#ifdef _WIN32
    // _putenv_s sets the process's environment too, where SDL reads it.
    _putenv_s(variable, desktopDrivers);
#else
    setenv(variable, desktopDrivers, 0);
#endif
}
