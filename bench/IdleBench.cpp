// idle_bench [LEVEL [SECONDS [KEY...]]]
//
// Runs the real viewer on a private X server in LEVEL (default: the demo level) with nothing
// happening, on its textures page or on the view the KEYs lead to (`m` the map view, `m p` its
// painted colours; an X key name such as End or Home, each pressed and released once, tells
// whether the viewer idles again after them), and prints the share of one core it uses over
// SECONDS (default 10), drawing included, read from its CPU time in /proc, and its resident
// memory at the end and at its peak. Exits with status 1 when the viewer dies or fails to quit.

#include "bench/BenchClock.h"
#include "drive/ChildProcess.h"
#include "drive/WindowDriver.h"
#include "drive/XServer.h"
#include "gfx/WindowTitle.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// User plus system time of the process, all threads, in seconds; -1 when unreadable.
double cpuSeconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The fields after the command name, which may hold spaces, start past its ')'.
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14 || i == 15) // utime, stime
            ticks += std::atof(field.c_str());
    }
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// The process's resident memory in MiB, now (VmRSS) or at its peak (VmHWM), from /proc; -1
// when unreadable.
double residentMiB(pid_t pid, const std::string& field = "VmRSS:") {
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atof(line.c_str() + field.size()) / 1024.0;
    }
    return -1;
}

// Whether the window shows its right end of the caption line bare, on a white background.
bool loaded(const Screenshot& shot) {
    if (shot.width < 36)
        return false;
    for (int y = 0; y < 16; ++y) {
        for (int x = shot.width - 36; x < shot.width - 1; ++x) {
            if (shot.at(x, y) != 0xFFFFFF)
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string level = argc > 1 ? argv[1] : std::string(LEVELCOLORS_DEMO_DIR);
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: idle_bench [LEVEL [SECONDS [KEY...]]]\n");
        return 2;
    }

    XServer server;
    WindowDriver driver(server.display());
    ChildProcess viewer({LEVELCOLORS_VIEWER}, level, {{"DISPLAY", server.display()}});
    const std::string window = driver.findWindow(windowTitle, 120);
    if (window.empty()) {
        std::fprintf(stderr, "idle_bench: the viewer opened no window: %s%s\n",
                     viewer.standardOutput().c_str(), viewer.standardError().c_str());
        return 1;
    }
    // The level is loaded once the caption line's right end, where "loading N of M files"
    // stands until then, is bare; what the keys show is drawn well before sampling starts.
    for (int tries = 0; tries < 1200 && !loaded(driver.screenshot(window)); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::string keys;
    for (int i = 3; i < argc; ++i) {
        driver.pressKey(window, argv[i]);
        keys += std::string(keys.empty() ? " after" : "") + " " + argv[i];
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }
    const double cpuBefore = cpuSeconds(viewer.pid());
    const double wallBefore = nowMilliseconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double cpu = cpuSeconds(viewer.pid()) - cpuBefore;
    const double wall = (nowMilliseconds() - wallBefore) / 1000.0;
    const bool alive = viewer.running();
    const double resident = residentMiB(viewer.pid());
    const double peak = residentMiB(viewer.pid(), "VmHWM:");

    driver.pressKey(window, "Escape");
    const int status = viewer.wait(30);
    if (!alive || status != 0 || cpuBefore < 0) {
        std::fprintf(stderr, "idle_bench: the viewer ended early or with status %d\n", status);
        return 1;
    }
    std::printf("idle viewer on %s%s: %.2f s of CPU in %.2f s, %.1f%% of one core, %.0f MiB "
                "resident (%.0f MiB at the peak)\n",
                level.c_str(), keys.c_str(), cpu, wall, 100.0 * cpu / wall, resident, peak);
    return 0;
}
