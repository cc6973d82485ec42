// levels_bench [FOLDER [COPIES]]: the real levelcolors-check on many levels in one run against
// the same levels checked one run each. Makes (or reuses) COPIES copies of the demo level
// (default 200) under FOLDER (default /tmp/levelcolors-levels-bench), then prints one row under
// its header: the levels, the cores the run uses (DecodePool::threadCount), the run of all of
// them (--find FOLDER, on every core), the sum of the single-level runs with
// LEVELCOLORS_THREADS=1, that sum divided by the cores, and the run's time over it (aim: at
// most 1.2). Each time is the best of three on a warm file cache, a single level's each on its
// own. levels_bench --header prints the header alone.

#include "bench/BenchClock.h"
#include "drive/ChildProcess.h"
#include "platform/DecodePool.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int runs = 3;
const char* const header = "%6s %5s %9s %15s %12s %6s\n";
const char* const row = "%6zu %5u %9.1f %15.1f %12.1f %6.2f\n";

// The best wall-clock time of `runs` runs of the check with `arguments`; a negative time when
// a run did not end with status 0 (the demo level has no problems).
double bestRun(const std::vector<std::string>& arguments,
               const std::map<std::string, std::string>& environment) {
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        std::vector<std::string> argv = {LEVELCOLORS_CHECK};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const double start = nowMilliseconds();
        ChildProcess check(argv, "", environment);
        const int status = check.wait(600);
        const double wall = nowMilliseconds() - start;
        if (status != 0) {
            std::fprintf(stderr, "levels_bench: %s %s\n", argv.back().c_str(),
                         check.howItEnded().c_str());
            return -1;
        }
        best = std::min(best, wall);
    }
    return best;
}

bool makeCopies(const std::string& folder, size_t copies, std::vector<std::string>& levels) {
    std::error_code error;
    for (size_t i = 0; i < copies; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/demo-%03zu", i);
        const std::string level = folder + name;
        levels.push_back(level);
        if (fs::exists(level + "/.complete"))
            continue;
        fs::remove_all(level, error);
        fs::copy(LEVELCOLORS_DEMO_DIR, level, fs::copy_options::recursive, error);
        if (error) {
            std::fprintf(stderr, "levels_bench: cannot copy the demo level to %s: %s\n",
                         level.c_str(), error.message().c_str());
            return false;
        }
        std::ofstream(level + "/.complete") << "\n";
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--header") == 0) {
        std::printf(header, "levels", "cores", "run ms", "1-thread sum ms", "sum/cores ms",
                    "ratio");
        return 0;
    }
    const std::string folder = argc > 1 ? argv[1] : "/tmp/levelcolors-levels-bench";
    const size_t copies = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 200;
    std::vector<std::string> levels;
    fs::create_directories(folder);
    if (!makeCopies(folder, copies, levels))
        return 1;

    const unsigned cores = DecodePool::threadCount();
    bestRun({"--quiet", "--find", folder}, {}); // warm the file cache
    const double all = bestRun({"--quiet", "--find", folder}, {});
    double singles = 0;
    for (const std::string& level : levels) {
        const double single = bestRun({"--quiet", level}, {{"LEVELCOLORS_THREADS", "1"}});
        if (single < 0)
            return 1;
        singles += single;
    }
    if (all < 0)
        return 1;
    std::printf(header, "levels", "cores", "run ms", "1-thread sum ms", "sum/cores ms", "ratio");
    std::printf(row, levels.size(), cores, all, singles, singles / cores, all / (singles / cores));
    return 0;
}
