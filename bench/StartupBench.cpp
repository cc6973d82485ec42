// startup_bench [--in-one-go] LEVEL: in the level folder, opens the viewer's window, decodes
// every PNG file the level scan reads once with IMG_Load on one thread (the floor), then loads
// the level as the viewer does, a slice at a time between frames of the first textures page,
// with its decoding threads (LEVELCOLORS_THREADS); --in-one-go loads it before any frame, as
// loadLevel does. It prints one table row: the thread count, times, their ratio, peak memory
// against the bound that the padded texture storage sets, a digest of what the scan filed,
// then the time to open the window, the time from then until the first page was drawn whole
// (its rows in, or the level loaded) and the longest gap between frames while loading.
// startup_bench --header prints the table's header. startup_bench --rescans N LEVEL loads the
// level in one go, then saves the first texture's swatch by rename N times, in a new colour
// each time, each followed by a rescan run as the viewer runs it (a slice at a time between
// frames), and prints the rescans' median and longest times and the longest gap between frames
// during them; the swatch is put back at the end.

#include "app/Fonts.h"
#include "app/FramePacing.h"
#include "app/ImageSources.h"
#include "app/Level.h"
#include "app/LevelScan.h"
#include "app/Pages.h"
#include "bench/BenchClock.h"
#include "bench/LevelDigest.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "level/LevelLayout.h"
#include "platform/DecodePool.h"
#include "platform/ImageFile.h"
#include "platform/ImageHeader.h"
#include "platform/MemoryReuse.h"
#include "platform/RegularFile.h"
#include "pngwriter/PngWriter.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const scannedFolders[] = {"textures",  "characters", "events",
                                      "cutscenes", "entities",   "levels"};

long long paddedSide(int side) {
    long long padded = 1;
    while (padded < side)
        padded *= 2;
    return padded;
}

// Every PNG file under the folders the scan reads: images, frames, parts and swatches.
std::vector<std::string> scannedImages() {
    std::vector<std::string> paths;
    for (const char* folder : scannedFolders) {
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().extension() == ".png")
                paths.push_back(entry.path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

struct Floor {
    double milliseconds = 0;
    double cpu = 0;
    long long paddedBytes = 0; // the power-of-two textures at 4 bytes a texel
    int failures = 0;
};

Floor decodeFloor(const std::vector<std::string>& paths) {
    Floor floor;
    const double start = nowMilliseconds();
    const double cpuStart = cpuMilliseconds();
    for (const std::string& path : paths) {
        SDL_Surface* image = IMG_Load(path.c_str());
        if (!image) {
            ++floor.failures;
            continue;
        }
        floor.paddedBytes += paddedSide(image->w) * paddedSide(image->h) * 4;
        SDL_FreeSurface(image);
    }
    floor.milliseconds = nowMilliseconds() - start;
    floor.cpu = cpuMilliseconds() - cpuStart;
    return floor;
}

double mebibytes(long long bytes) {
    return double(bytes) / 1048576.0;
}

// The first textures page holds this many rows in the default window.
constexpr size_t firstPageRows = 15;

struct Loading {
    double firstPage = 0; // from the scan's start until the first page's frame was swapped
    double longestGap = 0;
    uint32_t digest = 0; // as the scan left the level, before the frame after it
    double loaded = 0;   // from the scan's start until its end
};

// One frame of the first textures page, as the viewer draws it.
void drawFrame(const ViewState& state) {
    Renderer::get().glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawPage(state);
    Renderer::get().glFinish();
    SDL_GL_SwapBuffers();
}

// The viewer's loop while it loads: each frame's spare time goes to the scan.
Loading loadBetweenFrames() {
    Loading loading;
    const double start = nowMilliseconds();
    LevelScan scan(LevelScan::Kind::Load, nullptr, shownLevel);
    ViewState state;
    double lastSwap = 0;
    bool firstPageDrawn = false;
    for (;;) {
        const bool ended = scan.stepUntil(SDL_GetTicks() + loadSlice);
        if (ended) {
            loading.loaded = nowMilliseconds() - start;
            loading.digest = levelDigest();
        }
        state.loading = ended
                            ? std::nullopt
                            : std::optional<LoadingProgress>({scan.filesRead(), scan.fileCount()});
        drawFrame(state);
        const double now = nowMilliseconds();
        if (lastSwap > 0)
            loading.longestGap = std::max(loading.longestGap, now - lastSwap);
        lastSwap = now;
        if (!firstPageDrawn && (ended || levelColors.size() >= firstPageRows)) {
            firstPageDrawn = true;
            loading.firstPage = now - start;
        }
        if (ended)
            return loading;
    }
}

// Saves an image by rename, as an editor does, in a flat colour at the size it had.
bool saveImage(const std::string& path, uint32_t colour) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    const ImageHeader header = file ? readImageHeader(file) : ImageHeader();
    if (file)
        std::fclose(file);
    const std::string part = path + ".part";
    return header.known &&
           writeFlatPng(part, int(header.width), int(header.height), 0xFF000000u | colour) &&
           std::rename(part.c_str(), path.c_str()) == 0;
}

// The first frame image of the level's first animation: the first PNG its description names.
std::string firstFrame() {
    for (const LevelFile& file : textureFiles("", "txt")) {
        std::ifstream text(file.path);
        const std::string words((std::istreambuf_iterator<char>(text)), {});
        const size_t at = words.find("(filename ");
        const size_t end = words.find(')', at);
        if (at != std::string::npos && end != std::string::npos)
            return words.substr(at + 10, end - at - 10);
    }
    return "";
}

int timeRescans(int rescans, bool frame) {
    KeptFiles kept;
    loadLevel(&kept);
    drawFrame(ViewState()); // the viewer has drawn the page before any rescan
    const std::string saved =
        frame ? firstFrame() : swatchPathOf(textureFiles("", "png").at(0).path);
    if (saved.empty())
        return 1;
    const std::string original = saved + ".rescan-bench";
    std::filesystem::copy_file(saved, original, fs::copy_options::overwrite_existing);
    std::vector<double> times;
    double longestGap = 0;
    for (int rescan = 0; rescan < rescans; ++rescan) {
        if (!saveImage(saved, 0x300000u + 0x000103u * uint32_t(rescan + 1)))
            return 1;
        const double start = nowMilliseconds();
        double lastSwap = start;
        LevelScan scan(LevelScan::Kind::Rescan, &kept, shownLevel);
        for (bool ended = false; !ended;) {
            ended = scan.stepUntil(SDL_GetTicks() + scanSlice);
            drawFrame(ViewState());
            longestGap = std::max(longestGap, nowMilliseconds() - lastSwap);
            lastSwap = nowMilliseconds();
        }
        times.push_back(nowMilliseconds() - start);
    }
    std::filesystem::rename(original, saved);
    std::printf("%zu textures: %d rescans after a saved %s: median %.1f ms, longest %.1f ms, "
                "longest gap between frames %.1f ms\n",
                textureFiles("", "png").size() + textureFiles("", "txt").size(), rescans,
                frame ? "frame of an animation" : "swatch", quantile(times, 0.5),
                quantile(times, 1.0), longestGap);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const int rescans = argc > 3 && std::strcmp(argv[1], "--rescans") == 0 ? std::atoi(argv[2]) : 0;
    if (rescans > 0) {
        argc -= 2;
        argv += 2;
    }
    const bool frame = rescans > 0 && argc > 2 && std::strcmp(argv[1], "--frame") == 0;
    if (frame) {
        --argc;
        ++argv;
    }
    const bool inOneGo = argc > 2 && std::strcmp(argv[1], "--in-one-go") == 0;
    if (inOneGo) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench [--in-one-go | --rescans N [--frame]] LEVEL | "
                             "startup_bench --header\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--header") == 0) {
        std::printf("%7s %8s %6s %9s %9s %6s %9s %9s %6s %9s %8s %10s %9s %8s %7s %8s %6s\n",
                    "threads", "textures", "images", "floor ms", "scan ms", "ratio", "floor cpu",
                    "scan cpu", "ratio", "main cpu", "peak MiB", "padded MiB", "bound MiB",
                    "digest", "open ms", "first ms", "gap ms");
        return 0;
    }
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    keepFreedMemoryForReuse(); // as the viewer does
    const double openStart = nowMilliseconds();
    Screen::get();
    Renderer::get();
    Fonts::load();
    static FileImages files; // as the viewer reads them
    SpriteCatalog::get().use({&files, openRegularFile, nullptr, false});
    const double open = nowMilliseconds() - openStart;

    if (rescans > 0)
        return timeRescans(rescans, frame);

    const std::vector<std::string> images = scannedImages();
    const Floor floor = decodeFloor(images);

    const double start = nowMilliseconds();
    const double cpuStart = cpuMilliseconds();
    const double mainCpuStart = threadCpuMilliseconds();
    Loading loading;
    if (inOneGo) {
        loadLevel();
        loading.loaded = nowMilliseconds() - start;
        loading.digest = levelDigest();
        drawFrame(ViewState());
        loading.firstPage = nowMilliseconds() - start;
    } else
        loading = loadBetweenFrames();
    const double scan = loading.loaded;
    const double scanCpu = cpuMilliseconds() - cpuStart;
    const double mainCpu = threadCpuMilliseconds() - mainCpuStart;

    const long peakKib = statusKilobytes("/proc/self/status", "VmHWM:");
    const double padded = mebibytes(floor.paddedBytes);
    // Texture files, as the scan lists them; rows of the textures page would also count an
    // object that shares a texture's colour.
    const size_t textures = textureFiles("", "png").size() + textureFiles("", "txt").size();
    std::printf("%7u %8zu %6zu %9.1f %9.1f %6.2f %9.1f %9.1f %6.2f %9.1f %8.1f %10.1f %9.1f %08x "
                "%7.1f %8.1f %6.1f\n",
                DecodePool::threadCount(), textures, images.size(), floor.milliseconds, scan,
                scan / floor.milliseconds, floor.cpu, scanCpu, scanCpu / floor.cpu, mainCpu,
                double(peakKib) / 1024.0, padded, 2 * padded + 200, loading.digest, open,
                open + loading.firstPage, loading.longestGap);
    if (floor.failures)
        std::fprintf(stderr, "startup_bench: %d images could not be decoded\n", floor.failures);
    std::fflush(stdout);
    // The level's sprites live until the process ends, as in the viewer.
    SDL_Quit();
    return 0;
}
