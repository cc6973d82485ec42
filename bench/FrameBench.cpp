// frame_bench LEVEL [FRAMES]: runs the viewer's frame loop, built from the same functions
// main uses, on two pages of the level: a textures page whose 15 rows are all animated and
// an objects page with 40 labels. For each it prints the time spent per frame outside the
// pacing wait (page, overlay, glFinish, swap, events) and the frame period. Then the map view
// on a 1,024 by 1,024 map painted at random with the level's first 1,000 texture colours
// (written to a temporary file), at 1/8, 1, 4, 16 and 64 pixels a cell.

#include "app/Fonts.h"
#include "app/Frame.h"
#include "app/FramePacing.h"
#include "app/ImageSources.h"
#include "app/Level.h"
#include "app/MapNavigation.h"
#include "app/MapView.h"
#include "bench/BenchClock.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/ImageFile.h"
#include "platform/RegularFile.h"
#include "pngwriter/PngWriter.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

bool animatedTexture(uint32_t colour) {
    const auto found = textureByColor.find(colour);
    return found != textureByColor.end() && dynamic_cast<AnimatedSprite*>(found->second);
}

bool object(uint32_t colour) {
    const auto found = objectNameByColor.find(colour);
    return found != objectNameByColor.end() && !found->second.empty();
}

// The first page whose `rows` entries all pass `wanted`; -1 if there is none.
template <typename Predicate>
int firstFullPage(size_t rows, Predicate wanted) {
    for (size_t page = 0; (page + 1) * rows <= levelColors.size(); ++page) {
        bool full = true;
        for (size_t i = page * rows; i < (page + 1) * rows && full; ++i)
            full = wanted(levelColors[i]);
        if (full)
            return int(page);
    }
    return -1;
}

struct Figures {
    std::vector<double> work;    // ms from the stamp to the end of the event drain
    std::vector<double> period;  // ms between stamps, steady clock
    std::vector<uint32_t> ticks; // the same in SDL ticks, as the pacing sees it
};

// A stroke of the left button the frames paint: pressed at the first frame, then one move a
// frame along a zig-zag over the area, as a hand drags.
struct Stroke {
    bool on = false;
    uint32_t colour = 0;

    void push(int frame) const {
        SDL_Event event = {};
        const int x = 20 + (frame * 7) % 260, y = 60 + (frame * 3) % 600;
        if (frame == 0) {
            event.type = SDL_MOUSEBUTTONDOWN;
            event.button.button = SDL_BUTTON_LEFT;
            event.button.state = SDL_PRESSED;
            event.button.x = uint16_t(x);
            event.button.y = uint16_t(y);
        } else {
            event.type = SDL_MOUSEMOTION;
            event.motion.state = SDL_BUTTON(SDL_BUTTON_LEFT);
            event.motion.x = uint16_t(x);
            event.motion.y = uint16_t(y);
            event.motion.xrel = 7;
            event.motion.yrel = 3;
        }
        SDL_PushEvent(&event);
    }
};

Figures runFrames(ViewMode mode, int page, int frames, const Decoration& background,
                  const Decoration& overlay, MapView& map, Stroke stroke = {}) {
    Figures figures;
    uint32_t lastStamp = SDL_GetTicks();
    double lastClock = 0;
    ViewState state{mode, page, false};
    state.editing = stroke.on;
    state.brush = stroke.colour;
    HeldKeys held;
    for (int frame = 0; frame < frames; ++frame) {
        drawBackground(background, state.background);
        waitForFramePeriod(lastStamp);
        const uint32_t stamp = SDL_GetTicks();
        const double start = nowMilliseconds();
        if (frame > 0) {
            figures.ticks.push_back(stamp - lastStamp);
            figures.period.push_back(start - lastClock);
        }
        lastStamp = stamp;
        lastClock = start;
        bool eventsCame = false;
        if (stroke.on)
            stroke.push(frame);
        finishFrame(state, shownLevel, background, overlay, held, map, eventsCame);
        figures.work.push_back(nowMilliseconds() - start);
    }
    return figures;
}

void printRow(const char* name, int page, const Figures& f) {
    const auto [minTicks, maxTicks] = std::minmax_element(f.ticks.begin(), f.ticks.end());
    std::printf("%-22s %5d %7zu %10.3f %10.3f %10.3f %10.2f %8.2f %8.2f %6u %6u\n", name, page,
                f.work.size(), quantile(f.work, 0.5), quantile(f.work, 0.99), quantile(f.work, 1.0),
                quantile(f.period, 0.5), quantile(f.period, 0.0), quantile(f.period, 1.0),
                *minTicks, *maxTicks);
}

// Presses a key in the map view, as the keyboard would.
void pressMapKey(MapView& map, SDLKey key) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    ViewState state;
    state.viewMode = ViewMode::Map;
    map.applyEvent(state, event);
}

// The bench map: the level's first 1,000 texture colours at random, one pixel in 1,000 a
// stray. False when it cannot be written.
bool writeBenchMap(const std::string& path) {
    std::vector<uint32_t> colours;
    for (const uint32_t colour : levelColors) {
        if (textureByColor.count(colour) && colours.size() < 1000)
            colours.push_back(colour);
    }
    if (colours.empty())
        return false;
    constexpr int side = 1024;
    std::vector<uint32_t> pixels(size_t(side) * side);
    uint32_t random = 12345;
    for (uint32_t& pixel : pixels) {
        random = random * 1103515245u + 12345u;
        const uint32_t pick = random >> 8;
        pixel = pick % 1000 == 0 ? 0xFF010203u : colours[pick % colours.size()];
    }
    return writePng(path, side, side, pixels);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: frame_bench LEVEL [FRAMES]\n");
        return 2;
    }
    const int frames = argc > 2 ? std::max(2, std::atoi(argv[2])) : 2000;
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    Screen::get();
    Renderer::get();
    Fonts::load();
    static FileImages files; // as the viewer reads them
    SpriteCatalog::get().use({&files, openRegularFile, nullptr, false});
    loadLevel();
    const Decoration background = loadDecoration("whiteBG.png");
    const Decoration overlay = loadDecoration("scramble.png");

    const int animatedPage = firstFullPage(15, animatedTexture);
    const int objectsPage = firstFullPage(40, object);
    if (animatedPage < 0 || objectsPage < 0) {
        std::fprintf(stderr, "frame_bench: the level has no page of 15 animated textures or "
                             "of 40 objects\n");
        return 1;
    }
    std::printf("%-22s %5s %7s %10s %10s %10s %10s %8s %8s %6s %6s\n", "page", "index", "frames",
                "work p50", "work p99", "work max", "period p50", "min", "max", "tk min", "tk max");
    MapView none({}, shownLevel);
    printRow("textures, 15 animated", animatedPage,
             runFrames(ViewMode::Textures, animatedPage, frames, background, overlay, none));
    printRow("objects, 40 labels", objectsPage,
             runFrames(ViewMode::Objects, objectsPage, frames, background, overlay, none));
    char mapPath[] = "/tmp/frame_bench_map_XXXXXX";
    const int mapFile = mkstemp(mapPath);
    if (mapFile < 0 || !writeBenchMap(mapPath)) {
        std::fprintf(stderr, "frame_bench: the bench map cannot be written\n");
        return 1;
    }
    close(mapFile);
    MapView map({mapPath}, shownLevel);
    std::remove(mapPath);
    // From 16 pixels a cell, the start, out to 1/8, then in step by step.
    for (int zoom = MapNavigation::startZoom; zoom > MapNavigation::smallestZoom; --zoom)
        pressMapKey(map, SDLK_MINUS);
    int zoom = MapNavigation::smallestZoom;
    for (const int wanted : {-3, 0, 2, 4, 6}) {
        for (; zoom < wanted; ++zoom)
            pressMapKey(map, SDLK_PLUS);
        const std::string name = "map 1024, x" + std::string(wanted < 0 ? "1/8" : "") +
                                 (wanted >= 0 ? std::to_string(1 << wanted) : "");
        printRow(name.c_str(), 0, runFrames(ViewMode::Map, 0, frames, background, overlay, map));
    }
    // Painting: one stroke a zoom, a move a frame, each frame drawing what it changed.
    for (const int wanted : {0, 2, 4}) {
        for (; zoom > wanted; --zoom)
            pressMapKey(map, SDLK_MINUS);
        const std::string name = "map 1024, paint x" + std::to_string(1 << wanted);
        printRow(name.c_str(), 0,
                 runFrames(ViewMode::Map, 0, frames, background, overlay, map,
                           {true, levelColors.empty() ? 0xFF000000u : levelColors[0]}));
    }
    std::printf("(work: ms from the frame stamp to the end of the event drain; period: ms "
                "between stamps; tk: the same in SDL ticks)\n");
    SDL_Quit();
    return 0;
}
