// frame_bench LEVEL [FRAMES]: runs the viewer's frame loop, built from the same functions
// main uses, on two pages of the level: a textures page whose 15 rows are all animated and
// an objects page with 40 labels. For each it prints the time spent per frame outside the
// pacing wait (page, overlay, glFinish, swap, events) and the frame period.

#include "app/Frame.h"
#include "app/FramePacing.h"
#include "app/Level.h"
#include "bench/BenchClock.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "sprites/AnimatedSprite.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
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

Figures runFrames(ViewMode mode, int page, int frames, const Decoration& background,
                  const Decoration& overlay) {
    Figures figures;
    uint32_t lastStamp = SDL_GetTicks();
    double lastClock = 0;
    const ViewState state{mode, page, false};
    HeldKeys held;
    MapView map({});
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
        finishFrame(state, background, overlay, held, map);
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
    printRow("textures, 15 animated", animatedPage,
             runFrames(ViewMode::Textures, animatedPage, frames, background, overlay));
    printRow("objects, 40 labels", objectsPage,
             runFrames(ViewMode::Objects, objectsPage, frames, background, overlay));
    std::printf("(work: ms from the frame stamp to the end of the event drain; period: ms "
                "between stamps; tk: the same in SDL ticks)\n");
    SDL_Quit();
    return 0;
}
