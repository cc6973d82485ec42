// A rescan that keeps the files that did not change files what a scan of the whole level
// files: after each of a series of edits, the digest of the level as the viewer's rescan left
// it (in this process, in a real window, run a file at a time with a page drawn between) and
// every line the rescan wrote equal those of a fresh scan of the level by startup_bench, at
// several decoding thread counts; until the rescan ends, the level shown is the one before.

#include "app/Level.h"
#include "app/LevelScan.h"
#include "app/Pages.h"
#include "bench/LevelDigest.h"
#include "drive/ChildProcess.h"
#include "drive/XServer.h"
#include "gfx/Screen.h"
#include "tests/app/LevelFolder.h"
#include "tests/bench/BenchRow.h"
#include "tests/support/Paths.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// What a scan filed, and what it wrote on standard error.
struct Scanned {
    std::string digest;
    std::string lines;
};

std::string hexDigest(uint32_t digest) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", digest);
    return text;
}

// A scan made from nothing, in a process of its own.
Scanned freshScan(const std::string& display, const std::string& level) {
    ChildProcess bench({buildRoot() + "/bench/startup_bench", level}, "", {{"DISPLAY", display}});
    EXPECT_EQ(bench.wait(120), 0) << bench.standardError();
    static const std::string header = BenchRow::startupHeader();
    Scanned scanned;
    scanned.digest = BenchRow(header, bench.standardOutput())["digest"];
    // The benchmark's own line about images it could not decode is not the scan's.
    std::istringstream lines(bench.standardError());
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("startup_bench:", 0) != 0)
            scanned.lines += line + "\n";
    }
    return scanned;
}

// The viewer's scan in this process: `scan` run with its standard error caught.
Scanned scanHere(const std::function<void()>& scan) {
    ::testing::internal::CaptureStderr();
    scan();
    Scanned scanned;
    scanned.lines = ::testing::internal::GetCapturedStderr();
    scanned.digest = hexDigest(levelDigest());
    return scanned;
}

// A rescan as the viewer runs it, a file at a time with a frame of the first textures page
// drawn between slices. The shown level stays as it was until the rescan swaps in the next.
void rescanInSlices(KeptFiles& kept) {
    const LevelContents before = shownLevel;
    LevelScan scan(LevelScan::Kind::Rescan, &kept, shownLevel);
    while (!scan.stepUntil(SDL_GetTicks())) {
        EXPECT_EQ(levelColors, before.levelColors) << "after " << scan.filesRead() << " files";
        EXPECT_EQ(textureByColor, before.textureByColor) << "after " << scan.filesRead();
        EXPECT_EQ(swatchByColor, before.swatchByColor) << "after " << scan.filesRead();
        drawPage(ViewState());
    }
}

void renameOver(const LevelFolder& level, const std::string& from, const std::string& to) {
    fs::rename(level.path() + "/" + from, level.path() + "/" + to);
}

const char* const animation = "(animated (loop)\n"
                              " (sprite (filename textures/frames/f1.png) (time 5))\n"
                              " (sprite (filename textures/frames/f2.png) (time 5)))\n";

void makeLevel(LevelFolder& level) {
    level.writeImage("levels/walkbehind_p.png", 8, 8, 0x123456);
    level.writeImage("levels/walkinto_p.png", 8, 8, 0x654321);
    for (int i = 0; i < 6; ++i)
        level.addTexture("t0" + std::to_string(i), 0x102030u * uint32_t(i + 1), 0x0000F0u + i);
    level.writeImage("textures/frames/f1.png", 16, 16, 0xFF0000);
    level.writeImage("textures/frames/f2.png", 16, 16, 0x0000FF);
    level.writeText("textures/anim.txt", animation);
    level.writeImage("textures/anim_p.png", 8, 8, 0xAA2200);
    level.writeText("textures/still.txt", "(showone (sprite (filename textures/t01.png)))\n");
    level.writeImage("textures/still_p.png", 8, 8, 0xAA2201);
    for (int i = 0; i < 3; ++i)
        level.addObject("characters", "o0" + std::to_string(i), 0x405060u + uint32_t(i));
}

// The edits, each followed by a rescan, in order.
const std::vector<std::pair<const char*, std::function<void(LevelFolder&)>>> edits = {
    {"nothing changed", [](LevelFolder&) {}},
    {"repaint: a swatch saved by rename, an image rewritten in place",
     [](LevelFolder& level) {
         level.writeImage("textures/t01_p.png.part", 8, 8, 0x778899);
         renameOver(level, "textures/t01_p.png.part", "textures/t01_p.png");
         level.writeImage("textures/t02.png", 24, 12, 0x33CC33);
     }},
    {"add a texture and an object",
     [](LevelFolder& level) {
         level.addTexture("t06", 0x0A0B0C, 0x0D0E0F);
         level.addObject("entities", "e00", 0x5A5B5C);
     }},
    {"remove a texture and an object",
     [](LevelFolder& level) {
         fs::remove(level.path() + "/textures/t03.png");
         fs::remove(level.path() + "/textures/t03_p.png");
         fs::remove(level.path() + "/characters/o01.txt");
     }},
    {"rename a texture over another",
     [](LevelFolder& level) { renameOver(level, "textures/t04.png", "textures/t05.png"); }},
    {"change a frame a description names, to another size",
     [](LevelFolder& level) { level.writeImage("textures/frames/f2.png", 8, 8, 0x00FF00); }},
    {"break a swatch, a frame and a description",
     [](LevelFolder& level) {
         level.writeText("textures/t00_p.png", "no image");
         level.writeText("textures/frames/f1.png", "no image");
         level.writeText("textures/still.txt", "(showone (sprite (filename textures/t01.png))\n");
     }},
    {"mend them",
     [](LevelFolder& level) {
         level.writeImage("textures/t00_p.png", 8, 8, 0x102030);
         level.writeImage("textures/frames/f1.png", 16, 16, 0xFF0000);
         level.writeImage("textures/frames/f2.png", 16, 16, 0x0000FF);
         level.writeText("textures/still.txt", "(showone (sprite (filename textures/t01.png)))\n");
     }},
};

TEST(RescanDigest, EachEditRescannedFilesWhatAFreshScanFilesWhateverTheThreadCount) {
    XServer server;
    server.makeCurrent();
    const std::string start = fs::current_path().string();
    for (const char* threads : {"1", "2", "5"}) {
        SCOPED_TRACE(std::string("LEVELCOLORS_THREADS=") + threads);
        setenv("LEVELCOLORS_THREADS", threads, 1);
        LevelFolder level;
        makeLevel(level);
        ASSERT_EQ(chdir(level.path().c_str()), 0);
        Screen::get();
        KeptFiles kept;
        Scanned here = scanHere([&kept] { loadLevel(&kept); });
        Scanned fresh = freshScan(server.display(), level.path());
        EXPECT_EQ(here.digest, fresh.digest) << "the first scan";
        EXPECT_EQ(here.lines, fresh.lines) << "the first scan";
        for (const auto& [edit, make] : edits) {
            SCOPED_TRACE(edit);
            make(level);
            here = scanHere([&kept] { rescanInSlices(kept); });
            fresh = freshScan(server.display(), level.path());
            EXPECT_EQ(here.digest, fresh.digest);
            EXPECT_EQ(here.lines, fresh.lines);
        }
        unloadLevel();
        ASSERT_EQ(chdir(start.c_str()), 0);
    }
    unsetenv("LEVELCOLORS_THREADS");
    SDL_Quit();
}

} // namespace
