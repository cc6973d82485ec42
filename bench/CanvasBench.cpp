// canvas_bench [--header]: the map editing model without a window. Prints a header line and
// one row of figures (columns right-aligned, readable with the tests' BenchRow):
//   held MiB, map MiB, peak+ MiB: 100 steps of 1,000-cell strokes on a 4,096 by 4,096 map,
//     the bytes the history holds, the map's own pixels, and how far the process's peak
//     resident memory rose over the strokes (aim: well under the map's pixels);
//   fill ms: a one-million-cell square filled on a 1,024 by 1,024 map; comb ms: a
//     one-million-cell region one cell wide that winds up and down (a run a cell for the
//     scanline), both best of 5 (aim: within 50 ms); undo ms: the square's fill undone;
//   snap ms: a snap deciding every cell of the 4,096 by 4,096 map;
//   x1, x4, x16 p99 ms: one mouse motion of a stroke on a 1,024 by 1,024 map (2,000
//     motions of up to 40 cells each way), the 99th percentile (aim: a small part of a 16 ms
//     frame).
// Times are the thread's processor time, which other programs on a busy machine disturb less
// than the clock.

#include "bench/BenchClock.h"
#include "level/MapEditor.h"

#include <cstdio>
#include <cstring>
#include <random>

namespace {

constexpr uint32_t markers[] = {0xFFAA0000u, 0xFF00AA00u, 0xFF0000AAu, 0xFFAAAA00u,
                                0xFF00AAAAu, 0xFFAA00AAu, 0xFF555555u, 0xFFFFFFFFu};

double mebibytes(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

long peakKilobytes() {
    return statusKilobytes("/proc/self/status", "VmHWM:");
}

struct Memory {
    double held = 0, map = 0, peakRise = 0, snap = 0;
};

// A random walk of short moves from a random cell until the stroke changed 1,000 cells.
Memory strokes() {
    constexpr int side = 4096;
    MapEditor editor(MapCanvas(side, side));
    const long before = peakKilobytes();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anywhere(0, side - 1), move(-12, 12);
    for (int step = 0; step < 100; ++step) {
        MapEditor::Cell at{anywhere(random), anywhere(random)};
        size_t changed = editor.beginStroke(at, markers[step % 8], 1);
        while (changed < 1000) {
            at = {std::clamp(at.column + move(random), 0, side - 1),
                  std::clamp(at.row + move(random), 0, side - 1)};
            changed += editor.extendStroke(at);
        }
        editor.endStroke();
    }
    Memory memory;
    memory.held = mebibytes(double(editor.history().bytes()));
    memory.map = mebibytes(double(editor.canvas().pixels().size() * sizeof(uint32_t)));
    memory.peakRise = double(peakKilobytes() - before) / 1024.0;
    const double start = threadCpuMilliseconds();
    editor.snap([](const MapCanvas& map, int column, int row) -> std::optional<uint32_t> {
        const uint32_t pixel = map.at(column, row);
        return pixel == markers[0] ? std::optional(markers[1]) : std::nullopt;
    });
    memory.snap = threadCpuMilliseconds() - start;
    return memory;
}

// The best of five fills of `at` on `map`, a region of `cells`, each undone; the undo's time
// too.
std::pair<double, double> timeFill(const MapCanvas& map, MapEditor::Cell at, size_t cells) {
    MapEditor editor(map);
    double fill = 1e9, undo = 1e9;
    for (int run = 0; run < 5; ++run) {
        double start = threadCpuMilliseconds();
        const size_t changed = editor.fill(at, markers[run % 2 + 2]);
        fill = std::min(fill, threadCpuMilliseconds() - start);
        start = threadCpuMilliseconds();
        editor.undo();
        undo = std::min(undo, threadCpuMilliseconds() - start);
        if (changed != cells)
            std::fprintf(stderr, "canvas_bench: the fill changed %zu cells, not %zu\n", changed,
                         cells);
    }
    return {fill, undo};
}

// A 1,000 by 1,000 square of empty cells inside a frame of one marker.
MapCanvas square() {
    MapCanvas map(1024, 1024);
    for (int row = 0; row < 1024; ++row)
        for (int column = 0; column < 1024; ++column)
            if (row < 12 || row >= 1012 || column < 12 || column >= 1012)
                map.set(map.index(column, row), markers[0]);
    return map;
}

// Columns of empty cells between walls of one marker, each joined to the next at the top or
// the bottom in turn: one region of 1,000 by 1,000 cells and the 999 joins, winding across.
MapCanvas comb() {
    constexpr int columns = 1000, height = 1000;
    MapCanvas map(2 * columns - 1, height);
    for (int wall = 1; wall < 2 * columns - 1; wall += 2)
        for (int row = 0; row < height; ++row)
            if (row != ((wall / 2) % 2 ? 0 : height - 1))
                map.set(map.index(wall, row), markers[0]);
    return map;
}

double strokeMotion(int size) {
    MapEditor editor(MapCanvas(1024, 1024));
    std::mt19937 random(size);
    std::uniform_int_distribution<int> move(-40, 40);
    std::vector<double> times;
    MapEditor::Cell at{512, 512};
    editor.beginStroke(at, markers[0], size);
    for (int motion = 0; motion < 2000; ++motion) {
        at = {std::clamp(at.column + move(random), 0, 1023),
              std::clamp(at.row + move(random), 0, 1023)};
        const double start = threadCpuMilliseconds();
        editor.extendStroke(at);
        times.push_back(threadCpuMilliseconds() - start);
    }
    editor.endStroke();
    return quantile(times, 0.99);
}

void header() {
    std::printf("%8s %8s %9s %8s %8s %8s %8s %9s %9s %10s\n", "held MiB", "map MiB", "peak+ MiB",
                "fill ms", "comb ms", "undo ms", "snap ms", "x1 p99 ms", "x4 p99 ms", "x16 p99 ms");
}

} // namespace

int main(int argc, char** argv) {
    header();
    if (argc > 1 && std::strcmp(argv[1], "--header") == 0)
        return 0;
    const Memory memory = strokes(); // first, while the process's peak is still low
    const auto [fill, undo] = timeFill(square(), {500, 500}, 1000000);
    const double combFill = timeFill(comb(), {0, 0}, 1000999).first;
    std::printf("%8.2f %8.1f %9.1f %8.2f %8.2f %8.2f %8.1f %9.3f %9.3f %10.3f\n", memory.held,
                memory.map, memory.peakRise, fill, combFill, undo, memory.snap, strokeMotion(1),
                strokeMotion(4), strokeMotion(16));
    return 0;
}
