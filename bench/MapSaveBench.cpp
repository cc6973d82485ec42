// The save of a 4,096 by 4,096 map, as the viewer's Ctrl+S makes it: the kind chosen, the PNG
// encoded into a temporary file, flushed to the disk and renamed over the map. Maps of three
// kinds, painted in square tiles of marker colours with a stray pixel here and there, and a
// busy one of 2-cell tiles; each saved a few times, the best time kept, then read back as the
// editor reads it. Aim: a save within 1,000 ms.
//
// Then the recovery copy the viewer makes of a map's unsaved edits while they change: the
// snapshot of its pixels, which is all a frame pays, and the RGBA write the copying thread
// does (level/MapRecovery).
//
// map_save_bench [RUNS] prints its tables: a header line, then a row a kind; a header line,
// then a row a map for the copies.

#include "bench/BenchClock.h"
#include "diagnostics/DiagnosticSink.h"
#include "level/MapImageReader.h"
#include "level/MapImageWriter.h"
#include "level/MapRecovery.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace {

constexpr int side = 4096;

// `colours` marker colours in `tile` by `tile` tiles, with one stray pixel in every 64th tile.
MapImage paintedMap(MapColourType type, size_t colours, int tile) {
    MapImage map;
    map.width = map.height = side;
    map.kind.type = type;
    map.pixels.resize(size_t(side) * side);
    std::vector<uint32_t> markers;
    for (size_t i = 0; i < colours; ++i)
        markers.push_back(0xFF000000u | uint32_t((i + 1) * 2654435761u & 0xFFFFFFu));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const size_t index = size_t(y / tile) * size_t(side / tile) + size_t(x / tile);
            uint32_t pixel = markers[index * 7919 % markers.size()];
            if (index % 64 == 0 && x % tile == tile / 2 && y % tile == tile / 2)
                pixel ^= 0x000101u;
            map.pixels[size_t(y) * side + size_t(x)] = pixel;
        }
    }
    if (type == MapColourType::Palette)
        map.kind.palette = markers;
    return map;
}

const char* kindName(MapColourType type) {
    switch (type) {
    case MapColourType::Rgba:
        return "RGBA";
    case MapColourType::Rgb:
        return "RGB";
    case MapColourType::Palette:
        return "palette";
    default:
        return "grey";
    }
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    char name[] = "/tmp/map-save-bench-XXXXXX";
    if (!mkdtemp(name)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = name;
    std::printf("%5s %7s %5s %8s %8s %9s %9s %7s\n", "side", "kind", "tile", "colours", "file MiB",
                "save ms", "read ms", "aim ms");
    const struct {
        MapColourType type;
        size_t colours;
        int tile;
    } maps[] = {{MapColourType::Rgba, 1000, 16},
                {MapColourType::Rgb, 1000, 16},
                {MapColourType::Palette, 200, 16},
                {MapColourType::Rgba, 4000, 2}};
    int status = 0;
    for (const auto& kind : maps) {
        MapImage map = paintedMap(kind.type, kind.colours, kind.tile);
        const std::string path = folder + "/map.png";
        DiagnosticList sink;
        double save = 1e9, read = 1e9;
        for (int run = 0; run < runs; ++run) {
            std::string problem;
            const double start = nowMilliseconds();
            if (!saveMapImage(path, map, {}, sink, problem)) {
                std::fprintf(stderr, "map_save_bench: %s: %s\n", path.c_str(), problem.c_str());
                return 1;
            }
            save = std::min(save, nowMilliseconds() - start);
            std::string reason;
            const double readStart = nowMilliseconds();
            const std::optional<MapImage> back = readMapImage(path, reason);
            read = std::min(read, nowMilliseconds() - readStart);
            if (!back || back->pixels != map.pixels || back->kind.type != kind.type) {
                std::fprintf(stderr, "map_save_bench: %s read back differs\n", kindName(kind.type));
                status = 1;
            }
        }
        struct stat info = {};
        stat(path.c_str(), &info);
        std::printf("%5d %7s %5d %8zu %8.1f %9.1f %9.1f %7d\n", side, kindName(kind.type),
                    kind.tile, kind.colours, double(info.st_size) / (1 << 20), save, read, 1000);
    }
    std::printf("%5s %5s %8s %12s %9s %8s\n", "side", "tile", "colours", "snapshot ms", "write ms",
                "file MiB");
    const MapRecovery recovery(folder + "/recovery", "bench");
    for (const auto& kind : {maps[0], maps[3]}) {
        const MapImage map = paintedMap(MapColourType::Rgba, kind.colours, kind.tile);
        double snapshot = 1e9, write = 1e9;
        for (int run = 0; run < runs; ++run) {
            const double start = nowMilliseconds();
            const std::vector<uint32_t> pixels = map.pixels;
            snapshot = std::min(snapshot, nowMilliseconds() - start);
            const double writeStart = nowMilliseconds();
            const std::string problem = recovery.write(folder + "/map.png", side, side, pixels);
            write = std::min(write, nowMilliseconds() - writeStart);
            if (!problem.empty()) {
                std::fprintf(stderr, "map_save_bench: recovery copy: %s\n", problem.c_str());
                return 1;
            }
        }
        struct stat info = {};
        stat(recovery.fileOf(folder + "/map.png").c_str(), &info);
        std::printf("%5d %5d %8zu %12.1f %9.1f %8.1f\n", side, kind.tile, kind.colours, snapshot,
                    write, double(info.st_size) / (1 << 20));
    }
    std::filesystem::remove_all(folder);
    return status;
}
