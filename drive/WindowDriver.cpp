#include "drive/WindowDriver.h"

#include "drive/ChildProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

// A window that went away must not end the test program, as Xlib's default handler would.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

// How far a colour's mask lies from bit 0.
int shiftOf(unsigned long mask) {
    return mask ? __builtin_ctzl(mask) : 0;
}

} // namespace

int WindowDriver::run(const std::vector<std::string>& argv, std::string* output) const {
    ChildProcess child(argv, "", systemToolEnvironment({{"DISPLAY", display_}}));
    const int status = child.wait(30);
    if (output)
        *output = child.standardOutput();
    return status;
}

std::string WindowDriver::findWindow(const std::string& title, double seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        std::string out;
        if (run({"xdotool", "search", "--name", "^" + title + "$"}, &out) == 0) {
            std::istringstream lines(out);
            std::string id;
            if (lines >> id)
                return id;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return "";
}

bool WindowDriver::pressKey(const std::string& window, const std::string& key) const {
    return pressKeys(window, {key});
}

bool WindowDriver::pressKeys(const std::string& window,
                             const std::vector<std::string>& keys) const {
    // Without a window manager the focus must be given to the window before typing.
    std::vector<std::string> argv = {"xdotool", "windowfocus", "--sync", window,
                                     "key",     "--delay",     "0"};
    argv.insert(argv.end(), keys.begin(), keys.end());
    return run(argv, nullptr) == 0;
}

bool WindowDriver::holdKey(const std::string& window, const std::string& key) const {
    return run({"xdotool", "windowfocus", "--sync", window, "keydown", key}, nullptr) == 0;
}

bool WindowDriver::releaseKey(const std::string& window, const std::string& key) const {
    return run({"xdotool", "windowfocus", "--sync", window, "keyup", key}, nullptr) == 0;
}

bool WindowDriver::closeWindow(const std::string& window) const {
    Display* display = XOpenDisplay(display_.c_str());
    if (!display)
        return false;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(std::stoul(window, nullptr, 0));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return true;
}

bool WindowDriver::destroyWindow(const std::string& window) const {
    return run({"xdotool", "windowclose", window}, nullptr) == 0;
}

bool WindowDriver::movePointer(const std::string& window, int x, int y) const {
    // Without --sync, which would wait for a motion event that may never come.
    return run({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y)},
               nullptr) == 0;
}

bool WindowDriver::turnWheel(const std::string& window, int button) const {
    // Button events go to the window under the pointer. The X server takes the move before
    // the click; mousemove's --sync would wait for a motion event that never comes.
    return run({"xdotool", "mousemove", "--window", window, "150", "400", "click",
                std::to_string(button)},
               nullptr) == 0;
}

bool WindowDriver::click(const std::string& window, int x, int y) const {
    return run({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y),
                "click", "1"},
               nullptr) == 0;
}

bool WindowDriver::drag(const std::string& window, int x0, int y0, int x1, int y1) const {
    return run({"xdotool", "mousemove", "--window", window, std::to_string(x0), std::to_string(y0),
                "mousedown", "1", "mousemove", "--window", window, std::to_string(x1),
                std::to_string(y1), "mouseup", "1"},
               nullptr) == 0;
}

namespace {

// The xdotool words that hold `keys` down ("keydown") or let them go ("keyup").
void addKeys(std::vector<std::string>& argv, const char* how,
             const std::vector<std::string>& keys) {
    for (const std::string& key : keys)
        argv.insert(argv.end(), {how, key});
}

} // namespace

bool WindowDriver::clickWith(const std::string& window, int x, int y, int button,
                             const std::vector<std::string>& held) const {
    std::vector<std::string> argv = {"xdotool", "windowfocus",     "--sync",
                                     window,    "mousemove",       "--window",
                                     window,    std::to_string(x), std::to_string(y)};
    addKeys(argv, "keydown", held);
    argv.insert(argv.end(), {"click", std::to_string(button)});
    addKeys(argv, "keyup", held);
    return run(argv, nullptr) == 0;
}

bool WindowDriver::dragWith(const std::string& window, int x0, int y0, int x1, int y1,
                            const std::vector<std::string>& held) const {
    std::vector<std::string> argv = {"xdotool", "windowfocus",      "--sync",
                                     window,    "mousemove",        "--window",
                                     window,    std::to_string(x0), std::to_string(y0)};
    addKeys(argv, "keydown", held);
    argv.insert(argv.end(), {"mousedown", "1", "mousemove", "--window", window, std::to_string(x1),
                             std::to_string(y1), "mouseup", "1"});
    addKeys(argv, "keyup", held);
    return run(argv, nullptr) == 0;
}

Screenshot WindowDriver::screenshot(const std::string& window) const {
    Screenshot shot;
    const Window id = std::strtoul(window.c_str(), nullptr, 0);
    Display* connection = id ? XOpenDisplay(display_.c_str()) : nullptr;
    if (!connection)
        return shot;
    XSetErrorHandler(ignoreXError);
    XWindowAttributes attributes;
    XImage* image = nullptr;
    if (XGetWindowAttributes(connection, id, &attributes))
        image = XGetImage(connection, id, 0, 0, unsigned(attributes.width),
                          unsigned(attributes.height), AllPlanes, ZPixmap);
    if (image) {
        const int red = shiftOf(image->red_mask), green = shiftOf(image->green_mask),
                  blue = shiftOf(image->blue_mask);
        shot.width = image->width;
        shot.height = image->height;
        shot.pixels.resize(size_t(shot.width) * size_t(shot.height));
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                shot.pixels[size_t(y) * size_t(shot.width) + size_t(x)] =
                    uint32_t((p & image->red_mask) >> red) << 16 |
                    uint32_t((p & image->green_mask) >> green) << 8 |
                    uint32_t((p & image->blue_mask) >> blue);
            }
        XDestroyImage(image);
    }
    XCloseDisplay(connection);
    return shot;
}

std::pair<int, int> WindowDriver::windowSize(const std::string& window) const {
    std::string out;
    run({"xdotool", "getwindowgeometry", "--shell", window}, &out);
    int width = 0, height = 0;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("WIDTH=", 0) == 0)
            width = std::stoi(line.substr(6));
        if (line.rfind("HEIGHT=", 0) == 0)
            height = std::stoi(line.substr(7));
    }
    return {width, height};
}

std::string WindowDriver::windowName(const std::string& window) const {
    std::string out;
    run({"xdotool", "getwindowname", window}, &out);
    if (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}
