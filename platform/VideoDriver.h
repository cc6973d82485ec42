#pragma once

// Unless the user has set SDL_VIDEODRIVER, names for SDL the video drivers that show a window
// on the user's desktop (X11, then Wayland; on Windows its own), so that without a display
// SDL's start-up fails at once instead of falling back to a driver without a window. A value
// the user set, even an empty one, is kept as it is. Call it before SDL_Init; never fails.
void chooseDesktopVideoDrivers();
