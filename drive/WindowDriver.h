#pragma once

#include "drive/Screenshot.h"

#include <string>
#include <utility>
#include <vector>

// Drives windows on an X display the way a person would: finds a window by its title and
// presses keys in it (xdotool), and reads its pixels from the X server.
class WindowDriver {
  public:
    explicit WindowDriver(std::string display) : display_(std::move(display)) {}

    // The id of the first window with this title, waiting up to `seconds`; "" if none.
    std::string findWindow(const std::string& title, double seconds = 20) const;
    // Presses and releases one key (an X key name such as "Escape", "1" or "o").
    bool pressKey(const std::string& window, const std::string& key) const;
    // Several keys in one xdotool call, so that they reach the program within one frame.
    bool pressKeys(const std::string& window, const std::vector<std::string>& keys) const;
    // Holds a key down, and lets it go again: in between, the key repeats as a held key does.
    bool holdKey(const std::string& window, const std::string& key) const;
    bool releaseKey(const std::string& window, const std::string& key) const;
    // Asks the window to close as a window manager's close button does: a WM_DELETE_WINDOW
    // client message. False when the display cannot be opened.
    bool closeWindow(const std::string& window) const;
    // Destroys the window outright, as `xdotool windowclose` does, instead of asking it to
    // close.
    bool destroyWindow(const std::string& window) const;
    // Moves the mouse pointer to (x, y) of the window.
    bool movePointer(const std::string& window, int x, int y) const;
    // Turns the mouse wheel over the window's middle by one step: button 4 up, 5 down.
    bool turnWheel(const std::string& window, int button) const;
    // Clicks the left button at (x, y) of the window: a press and a release, without a move.
    bool click(const std::string& window, int x, int y) const;
    // Presses the left button at (x0, y0) of the window, moves to (x1, y1) and releases it.
    bool drag(const std::string& window, int x0, int y0, int x1, int y1) const;
    // Clicks `button` (1 left, 2 middle, 3 right) at (x, y) of the window, with the keys `held`
    // ("shift", "ctrl") held down over the click.
    bool clickWith(const std::string& window, int x, int y, int button,
                   const std::vector<std::string>& held = {}) const;
    // A drag with the left button, as drag(), with the keys `held` held down over it.
    bool dragWith(const std::string& window, int x0, int y0, int x1, int y1,
                  const std::vector<std::string>& held) const;
    // The window's pixels; an empty screenshot when the window cannot be read.
    Screenshot screenshot(const std::string& window) const;
    // The window's size as the X server has it: {width, height}.
    std::pair<int, int> windowSize(const std::string& window) const;
    // The window's title.
    std::string windowName(const std::string& window) const;

  private:
    int run(const std::vector<std::string>& argv, std::string* output) const;
    std::string display_;
};
