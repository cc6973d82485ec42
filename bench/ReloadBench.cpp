// reload_bench LEVEL [SAVES [RELOADS]]
//
// Runs the real viewer on a private X server in LEVEL, times its start (to the first page's
// first and last rows drawn, and to the level loaded), and saves the swatch of the first row of
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
    // Whether every pixel of the rectangle is white (false when it cannot be read).
    bool white(int x, int y, int w, int h) {
        XImage* image = display_ ? XGetImage(display_, window_, x, y, unsigned(w), unsigned(h),
                                             AllPlanes, ZPixmap)
                                 : nullptr;
        if (!image)
            return false;
        bool all = true;
        for (int row = 0; row < h && all; ++row)
            for (int column = 0; column < w && all; ++column)
                all = (XGetPixel(image, column, row) & 0xFFFFFF) == 0xFFFFFF;
        XDestroyImage(image);
        return all;
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

// Polls every 2 ms until `shown` holds; the milliseconds since `from`, or -1.
template <typename Shown>
double waitUntil(Shown shown, double from) {
    while (nowMilliseconds() - from < patienceMilliseconds) {
        if (shown())
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
    const double started = nowMilliseconds();
    ChildProcess viewer({LEVELCOLORS_VIEWER}, level, {{"DISPLAY", server.display()}});
    const std::string window = driver.findWindow(windowTitle, 120);
    PixelReader pixels(server.display(), window);
    // The first page is drawn once the swatches of its first and last rows are (the rows are
    // 32 pixels apart from y 26), and the level is loaded once the caption line's right end,
    // where "loading N of M files" stands until then, is bare.
    const double firstPage = waitUntil(
        [&] {
            const long first = pixels.at(3, 29), last = pixels.at(3, 29 + 14 * 32);
            return pixels.at(299, 20) == 0xFFFFFF && first >= 0 && first != 0xFFFFFF && last >= 0 &&
                   last != 0xFFFFFF;
        },
        started);
    const double loaded = waitUntil([&] { return pixels.white(264, 0, 35, 16); }, started);
    int status = window.empty() || firstPage < 0 || loaded < 0;
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
    std::printf("%s: from starting the viewer, the first page's first and last rows drawn after "
                "%.0f ms, the level loaded after %.0f ms\n",
                level.c_str(), firstPage, loaded);
    std::printf("%s: save to new pixels over %d saves: median %.0f ms, max %.0f ms\n",
                level.c_str(), saves, quantile(latencies, 0.5), quantile(latencies, 1.0));
    if (reloads > 0)
        std::printf("%s: resident memory over %d more reloads: %.2f MiB before, %.2f MiB after, "
                    "growth %.2f MiB\n",
                    level.c_str(), reloads, double(before) / 1024.0, double(after) / 1024.0,
                    double(after - before) / 1024.0);
    return 0;
}
