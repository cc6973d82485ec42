// soak_bench [--touch] LEVEL|TEXTURES SECONDS [SAMPLE_SECONDS [MAX_GROWTH_MIB|plateau]]
//
// Runs the real viewer on a private X server in a level folder (or in a level of TEXTURES
// textures generated for the run and removed afterwards) for SECONDS, switching its page and
// view with xdotool every second, and samples its resident memory every SAMPLE_SECONDS
// (default 10), after three tours of every page of every view. Prints the samples and the growth of
// the high-water mark from the first minute (the first third of shorter runs) to the last. Exits
// with status 1 when the viewer dies or fails to quit, or when the growth exceeds MAX_GROWTH_MIB.
// "plateau" instead asks only that the growth levels off, whatever the GL driver and the
// allocator settle at: the high-water mark of the last third of the run may rise over the
// middle third's by half of what that rose over the first third's, or by 1% of it.
// With --touch, the swatch of the first texture row is also touched every second (its times
// set to now), so that the viewer rescans the level every second too.

#include "bench/BenchClock.h"
#include "bench/LevelGenerator.h"
#include "drive/ChildProcess.h"
#include "drive/WindowDriver.h"
#include "drive/XServer.h"
#include "gfx/WindowTitle.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

const char* const pageKeys[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "q",
                                "w", "e", "r", "a", "s", "d", "f", "z", "x", "c", "v"};
const char* const viewKeys[] = {"t", "o", "y"};

struct Sample {
    double seconds;
    long kib;
};

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](char c) { return std::isdigit((unsigned char)c); });
}

// A level generated for this run, removed when the run ends.
class TemporaryLevel {
  public:
    explicit TemporaryLevel(int textures) {
        char name[] = "/tmp/levelcolors-soak-XXXXXX";
        if (mkdtemp(name))
            path_ = name;
        GeneratedLevel summary;
        if (path_.empty() || !generateLevel(path_, textures, LEVELCOLORS_DEMO_DIR, summary))
            path_.clear();
    }
    ~TemporaryLevel() {
        if (!path_.empty())
            std::filesystem::remove_all(path_);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// The largest sample at or after `from` and before or at `to`.
long highWater(const std::vector<Sample>& samples, double from, double to) {
    long most = -1;
    for (const Sample& s : samples) {
        if (s.seconds >= from && s.seconds <= to)
            most = std::max(most, s.kib);
    }
    return most;
}

} // namespace

int main(int argc, char** argv) {
    const bool touching = argc > 1 && std::string(argv[1]) == "--touch";
    if (touching) {
        --argc;
        ++argv;
    }
    if (argc < 3 || std::atof(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: soak_bench [--touch] LEVEL|TEXTURES SECONDS [SAMPLE_SECONDS "
                             "[MAX_GROWTH_MIB|plateau]]\n");
        return 2;
    }
    const double duration = std::atof(argv[2]);
    const double sampleEvery = argc > 3 ? std::max(1.0, std::atof(argv[3])) : 10.0;
    const bool plateau = argc > 4 && std::string(argv[4]) == "plateau";
    const double maxGrowth = argc > 4 && !plateau ? std::atof(argv[4]) : -1;

    std::unique_ptr<TemporaryLevel> generated;
    std::string level = argv[1];
    if (allDigits(level)) {
        generated = std::make_unique<TemporaryLevel>(std::atoi(argv[1]));
        level = generated->path();
        if (level.empty())
            return 1;
    }

    const std::string touched = touching ? firstTextureSwatch(level) : "";
    if (touching && touched.empty()) {
        std::fprintf(stderr, "soak_bench: %s has no texture to touch\n", level.c_str());
        return 1;
    }

    XServer server;
    WindowDriver driver(server.display());
    ChildProcess viewer({LEVELCOLORS_VIEWER}, level, {{"DISPLAY", server.display()}});
    const std::string window = driver.findWindow(windowTitle, 120);
    if (window.empty()) {
        std::fprintf(stderr, "soak_bench: the viewer opened no window: %s%s\n",
                     viewer.standardOutput().c_str(), viewer.standardError().c_str());
        return 1;
    }
    const std::string status = "/proc/" + std::to_string(viewer.pid()) + "/status";

    // The GL driver sets a texture up the first time it draws it, and its pools of frame
    // memory grow until they fit the heaviest pages. Three tours of every page of every view
    // pay for that before sampling starts, so that the samples show growth, not warm-up.
    const long beforeTour = statusKilobytes(status.c_str(), "VmRSS:");
    for (int tour = 0; tour < 3; ++tour) {
        for (const char* view : viewKeys) {
            for (const char* page : pageKeys) {
                driver.pressKeys(window, {view, page});
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            }
        }
    }
    const long afterTour = statusKilobytes(status.c_str(), "VmRSS:");
    std::printf("resident memory before the tours of every page: %.2f MiB, after them: %.2f MiB\n",
                double(beforeTour) / 1024.0, double(afterTour) / 1024.0);

    std::vector<Sample> samples;
    const double start = nowMilliseconds() / 1000.0;
    double nextSample = 0;
    bool alive = true;
    for (int second = 0; alive; ++second) {
        const double now = nowMilliseconds() / 1000.0 - start;
        if (now >= nextSample - 0.05) {
            samples.push_back({now, statusKilobytes(status.c_str(), "VmRSS:")});
            nextSample += sampleEvery;
        }
        if (now >= duration)
            break;
        // Page and view change every second; the pairs repeat only every 66 seconds.
        driver.pressKeys(window, {viewKeys[(second / 2) % 3], pageKeys[(second * 7) % 22]});
        if (touching)
            utimensat(AT_FDCWD, touched.c_str(), nullptr, 0);
        alive = viewer.running();
        const double wake = start + second + 1;
        std::this_thread::sleep_for(
            std::chrono::duration<double>(std::max(0.0, wake - nowMilliseconds() / 1000.0)));
    }
    if (!alive) {
        std::fprintf(stderr, "soak_bench: the viewer ended early: %s%s\n",
                     viewer.standardOutput().c_str(), viewer.standardError().c_str());
        return 1;
    }
    driver.pressKey(window, "Escape");
    const int exitStatus = viewer.wait(30);

    std::printf("%8s %12s %10s\n", "seconds", "VmRSS KiB", "MiB");
    for (const Sample& s : samples)
        std::printf("%8.0f %12ld %10.2f\n", s.seconds, s.kib, double(s.kib) / 1024.0);
    const double window0 = std::min(60.0, duration / 3);
    const long first = highWater(samples, 0, window0);
    const long last = highWater(samples, samples.back().seconds - window0, samples.back().seconds);
    const double growth = double(last - first) / 1024.0;
    std::printf("high-water RSS in the first %.0f s: %.2f MiB, in the last %.0f s: %.2f MiB, "
                "growth %.2f MiB\n",
                window0, double(first) / 1024.0, window0, double(last) / 1024.0, growth);
    if (maxGrowth >= 0)
        std::printf("limit %.2f MiB: %s\n", maxGrowth, growth > maxGrowth ? "EXCEEDED" : "kept");
    const double end = samples.back().seconds;
    const long early = highWater(samples, 0, end / 3),
               middle = highWater(samples, end / 3, 2 * end / 3),
               late = highWater(samples, 2 * end / 3, end);
    const bool levelled = late - middle <= std::max((middle - early) / 2, early / 100);
    if (plateau)
        std::printf("high-water RSS by thirds: %.2f, %.2f, %.2f MiB: %s\n", double(early) / 1024.0,
                    double(middle) / 1024.0, double(late) / 1024.0,
                    levelled ? "levels off" : "STILL RISING");
    if (exitStatus != 0) {
        std::fprintf(stderr, "soak_bench: the viewer ended with status %d\n", exitStatus);
        return 1;
    }
    if (first < 0 || last < 0) {
        std::fprintf(stderr, "soak_bench: no resident memory could be read from %s\n",
                     status.c_str());
        return 1;
    }
    if (plateau)
        return levelled ? 0 : 1;
    return maxGrowth >= 0 && growth > maxGrowth ? 1 : 0;
}
