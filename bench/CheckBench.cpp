// check_bench [FOLDER]: levelcolors-check's cost against its floor. Makes (or reuses) a level
// of 4,000 textures and 4,000 objects and a 4096 by 4096 map painted in its colours under
// FOLDER (default /tmp/levelcolors-check-bench), then prints the time to decode every image the
// check reads once on one thread (the floor: swatches, textures, and the frames and parts the
// descriptions name), the check of the level against it with the check's decoding threads
// (LEVELCOLORS_THREADS; aim: at most 0.6 times on two cores), and the map check (aim: under a
// second). Each figure is the best of three runs on a warm file cache.

#include "bench/BenchClock.h"
#include "bench/LevelGenerator.h"
#include "check/LevelCheck.h"
#include "check/MapCheck.h"
#include "level/LevelLayout.h"
#include "listfile/FileExtension.h"
#include "listfile/ListObject.h"
#include "listfile/ListReader.h"
#include "listfile/NamedFiles.h"
#include "platform/DecodePool.h"
#include "platform/RegularFile.h"
#include "pngwriter/PngWriter.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int textures = 4000;
constexpr int mapSide = 4096;
constexpr int runs = 3;

// The best wall-clock time of `runs` runs, and the CPU time (every thread's) of that run: on a
// shared machine the CPU time is what the load disturbs least.
struct Timing {
    double wallMs = 1e300;
    double cpuMs = 0;
};

Timing bestOf(const std::function<void()>& work) {
    Timing best;
    for (int run = 0; run < runs; ++run) {
        const double start = nowMilliseconds();
        const double cpuStart = cpuMilliseconds();
        work();
        const double wall = nowMilliseconds() - start;
        if (wall < best.wallMs)
            best = {wall, cpuMilliseconds() - cpuStart};
    }
    return best;
}

bool makeLevel(const std::string& level) {
    const std::string done = level + "/.complete";
    if (fs::exists(done))
        return true;
    std::printf("making %s (once)...\n", level.c_str());
    std::fflush(stdout);
    GeneratedLevel summary;
    if (!generateLevel(level, textures, LEVELCOLORS_DEMO_DIR, summary))
        return false;
    std::ofstream(done) << summary.textures << "\n";
    return true;
}

// 32 by 32 tiles of the level's marker colours, with one stray pixel in every 64th tile; or,
// `blended`, with each tile's left column a half-and-half blend of it and the tile to its left
// (as an anti-aliased edge leaves it): half a million strays for the stray rule.
bool makeMap(const std::string& map, const LevelReport& report, bool blended) {
    if (fs::exists(map))
        return true;
    std::printf("making %s (once)...\n", map.c_str());
    std::fflush(stdout);
    std::vector<uint32_t> pixels(size_t(mapSide) * mapSide);
    const auto marker = [&](size_t tile) {
        return report.markers.empty() ? 0xFF000000u
                                      : report.markers[tile % report.markers.size()].colour;
    };
    for (int y = 0; y < mapSide; ++y) {
        for (int x = 0; x < mapSide; ++x) {
            const size_t tile = size_t(y / 32) * (mapSide / 32) + size_t(x / 32);
            uint32_t& pixel = pixels[size_t(y) * mapSide + x];
            pixel = marker(tile);
            if (blended && x % 32 == 0 && x > 0)
                pixel = 0xFF000000u |
                        (((pixel & 0xFEFEFEu) >> 1) + ((marker(tile - 1) & 0xFEFEFEu) >> 1));
            else if (!blended && tile % 64 == 0 && x % 32 == 5 && y % 32 == 7)
                pixel = 0xFF000000u | uint32_t(tile * 2654435761u);
        }
    }
    return writePng(map, mapSide, mapSide, pixels);
}

// Every image file the check decodes, once each: the swatches, the texture images, and the
// images that the descriptions name, through the descriptions they name.
std::vector<std::string> imagesTheCheckReads(const std::string& level) {
    std::set<std::string> images;
    std::vector<std::string> descriptions;
    for (const LevelFile& file : levelFiles(level)) {
        images.insert(level + "/" + file.swatchPath);
        if (file.kind == LevelFileKind::Texture && hasExtension(file.path, "png"))
            images.insert(level + "/" + file.path);
        else if (file.kind == LevelFileKind::Texture)
            descriptions.push_back(file.path);
    }
    std::set<std::string> read(descriptions.begin(), descriptions.end());
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const std::unique_ptr<ListObject> root =
            readListFile(level + "/" + descriptions[i], openRegularFile);
        for (const NamedFile& named : namedFiles(root.get())) {
            if (hasExtension(named.path, "png", ExtensionMatch::LastLetters))
                images.insert(level + "/" + named.path);
            else if (hasExtension(named.path, "txt", ExtensionMatch::LastLetters) &&
                     read.insert(named.path).second)
                descriptions.push_back(named.path);
        }
    }
    return std::vector<std::string>(images.begin(), images.end());
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/tmp/levelcolors-check-bench";
    const std::string level = folder + "/level-4000";
    const std::string map = folder + "/map-4096.png";
    fs::create_directories(folder);
    if (!makeLevel(level))
        return 1;

    const std::vector<std::string> images = imagesTheCheckReads(level);
    auto decodeImages = [&] {
        for (const std::string& image : images)
            SDL_FreeSurface(IMG_Load(image.c_str()));
    };
    decodeImages(); // warm the file cache
    const Timing decode = bestOf(decodeImages);
    LevelReport report;
    const Timing check = bestOf([&] { report = checkLevel(level, {}); });

    const std::string blendedMap = folder + "/map-4096-blended.png";
    if (!makeMap(map, report, false) || !makeMap(blendedMap, report, true))
        return 1;
    SDL_FreeSurface(IMG_Load(map.c_str())); // warm the file cache
    const double mapDecodeMs = bestOf([&] { SDL_FreeSurface(IMG_Load(map.c_str())); }).wallMs;
    // The map alone, as a level's report with its markers and nothing else found.
    const auto mapCheck = [&](const std::string& file, size_t& stray, uint64_t& pixels) {
        return bestOf([&] {
                   LevelReport withMap = report;
                   std::vector<Finding> strays;
                   std::string reason;
                   if (!checkMap(withMap, file, MeantMarker::defaultSnap, strays, reason))
                       std::fprintf(stderr, "cannot read map %s: %s\n", file.c_str(),
                                    reason.c_str());
                   stray = withMap.maps.empty() ? 0 : withMap.maps[0].stray.size();
                   pixels = 0;
                   for (size_t i = 0; i < stray; ++i)
                       pixels += withMap.maps[0].stray[i].pixels;
               })
            .wallMs;
    };
    size_t stray = 0, blendedStray = 0;
    uint64_t strayPixels = 0, blendedPixels = 0;
    const double mapMs = mapCheck(map, stray, strayPixels);
    SDL_FreeSurface(IMG_Load(blendedMap.c_str()));
    const double blendedMs = mapCheck(blendedMap, blendedStray, blendedPixels);

    std::printf("level: %zu files, %zu image files read, %zu colours, %zu problems\n",
                report.legend.size(), images.size(), report.markers.size(), report.problems.size());
    std::printf("%-42s %10.1f ms   cpu %.1f ms\n", "decode every image once (floor)", decode.wallMs,
                decode.cpuMs);
    std::printf(
        "%-42s %10.1f ms   %.2f x the floor (aim: at most 0.6 with 2 threads); cpu %.1f ms, "
        "%.2f x the floor's\n",
        ("check the level, " + std::to_string(DecodePool::threadCount()) + " threads").c_str(),
        check.wallMs, check.wallMs / decode.wallMs, check.cpuMs, check.cpuMs / decode.cpuMs);
    std::printf("%-42s %10.1f ms\n", "decode the 4096 x 4096 map", mapDecodeMs);
    std::printf("%-42s %10.1f ms   (aim: under 1000; %zu stray colours, %llu pixels)\n",
                "check the 4096 x 4096 map", mapMs, stray, (unsigned long long)strayPixels);
    std::printf("%-42s %10.1f ms   (%zu stray colours, %llu pixels, each given a hint)\n",
                "check it with every tile's edge blended", blendedMs, blendedStray,
                (unsigned long long)blendedPixels);
    std::printf("peak memory %ld KiB\n", statusKilobytes("/proc/self/status", "VmHWM:"));
    return 0;
}
