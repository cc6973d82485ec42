// reload_bench LEVEL [SAVES [RELOADS]]
//
// Runs the real viewer on a private X server in LEVEL and saves the swatch of the first row of
// its textures page SAVES times (default 20) the way an editor does (a temporary file renamed
// over it), a new colour each time, timing each save to the moment the window's pixel shows
// the new colour: the latency of live reload. The pixel is read straight from the X server,
// every 2 ms, so that the reading costs next to nothing. Then it saves RELOADS more times
// (default 140), each waited for, and prints the growth of resident memory over them; the
// timed saves are their warm-up. The swatch is restored at the end. Exits with status 1 when
// the viewer opens no window, a save never shows, or the viewer fails to quit.

#include "bench/BenchClock.h"
#include "bench/LevelGenerator.h"
#include "drive/ChildProcess.h"
#include "drive/WindowDriver.h"
#include "drive/XServer.h"
#include "gfx/WindowTitle.h"
#include "pngwriter/PngWriter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr double patienceMilliseconds = 60000;

// One pixel of a window, read from the X server: 0xRRGGBB on the 24-bit screen.
class PixelReader {
  public:
    PixelReader(const std::string& display, const std::string& window)
        : display_(XOpenDisplay(display.c_str())),
          window_(std::strtoul(window.c_str(), nullptr, 10)) {}
    ~PixelReader() {
        if (display_)
            XCloseDisplay(display_);
    }
    long at(int x, int y) {
        if (!display_)
            return -1;
        XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return -1;
        const long pixel = long(XGetPixel(image, 0, 0) & 0xFFFFFF);
        XDestroyImage(image);
        return pixel;
    }

  private:
    Display* display_;
    Window window_;
};

// A colour of its own for every save, never the one before it.
uint32_t colourOfSave(int save) {
    return 0x200000u + 0x000101u * uint32_t(save % 200 + 1);
}

bool saveByRename(const std::string& path, uint32_t colour) {
    const std::string part = path + ".part";
    return writeFlatPng(part, 8, 8, 0xFF000000u | colour) &&
           std::rename(part.c_str(), path.c_str()) == 0;
}

// Polls the pixel every 2 ms until it is `colour`; the milliseconds since `from`, or -1.
double waitForPixel(PixelReader& pixels, int x, int y, long colour, double from) {
    while (nowMilliseconds() - from < patienceMilliseconds) {
        if (pixels.at(x, y) == colour)
            return nowMilliseconds() - from;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return -1;
}

// Saves the swatch in a new colour; the milliseconds from the rename to the first row showing
// it, or -1 when it never does.
double timedSave(PixelReader& pixels, const std::string& swatch, int save) {
    const uint32_t colour = colourOfSave(save);
    if (!saveByRename(swatch, colour))
        return -1;
    return waitForPixel(pixels, 3, 29, colour, nowMilliseconds());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: reload_bench LEVEL [SAVES [RELOADS]]\n");
        return 2;
    }
    const std::string level = argv[1];
    const int saves = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const int reloads = argc > 3 ? std::max(0, std::atoi(argv[3])) : 140;
    const std::string swatch = firstTextureSwatch(level);
    if (swatch.empty()) {
        std::fprintf(stderr, "reload_bench: %s has no texture\n", level.c_str());
        return 1;
    }
    // Kept beside the level's folder, so that the viewer never sees it.
    const std::string original = level + ".reload-bench-swatch";
    std::filesystem::copy_file(swatch, original, std::filesystem::copy_options::overwrite_existing);

    XServer server;
    WindowDriver driver(server.display());
    ChildProcess viewer({LEVELCOLORS_VIEWER}, level, {{"DISPLAY", server.display()}});
    const std::string window = driver.findWindow(windowTitle, 120);
    PixelReader pixels(server.display(), window);
    // The first frame is on screen once the background covers the window's right edge.
    int status = window.empty() || waitForPixel(pixels, 299, 20, 0xFFFFFF, nowMilliseconds()) < 0;
    const std::string procStatus = "/proc/" + std::to_string(viewer.pid()) + "/status";

    std::vector<double> latencies;
    for (int save = 0; status == 0 && save < saves; ++save) {
        latencies.push_back(timedSave(pixels, swatch, save));
        status = latencies.back() < 0;
    }
    const long before = statusKilobytes(procStatus.c_str(), "VmRSS:");
    for (int save = saves; status == 0 && save < saves + reloads; ++save)
        status = timedSave(pixels, swatch, save) < 0;
    const long after = statusKilobytes(procStatus.c_str(), "VmRSS:");

    if (!window.empty())
        driver.pressKey(window, "Escape");
    const int exitStatus = viewer.wait(60);
    std::filesystem::rename(original, swatch);
    if (status != 0 || exitStatus != 0) {
        std::fprintf(stderr, "reload_bench: %s (exit status %d): %s%s\n",
                     window.empty() ? "the viewer opened no window" : "a save never showed",
                     exitStatus, viewer.standardOutput().c_str(), viewer.standardError().c_str());
        return 1;
    }
    std::printf("%s: save to new pixels over %d saves: median %.0f ms, max %.0f ms\n",
                level.c_str(), saves, quantile(latencies, 0.5), quantile(latencies, 1.0));
    if (reloads > 0)
        std::printf("%s: resident memory over %d more reloads: %.2f MiB before, %.2f MiB after, "
                    "growth %.2f MiB\n",
                    level.c_str(), reloads, double(before) / 1024.0, double(after) / 1024.0,
                    double(after - before) / 1024.0);
    return 0;
}
