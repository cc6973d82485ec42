// Levels with faults: the viewer starts, shows what it can and names each problem once, and
// hostile files neither hang it nor exhaust anything.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include "tests/support/Paths.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The peak resident memory of a running process, in MiB (unused under the sanitizers).
[[maybe_unused]] long peakMebibytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long kib = 0;
    while (status >> key) {
        if (key == "VmHWM:" && status >> kib)
            return kib / 1024;
    }
    return -1;
}

TEST_F(ViewerBrokenLevel, StartsShowsWhatItCanAndReportsEachProblemOnce) {
    level.copyGolden("broken");
    // The same lines in the same order however many threads decode the images.
    for (const char* threads : {"1", "4"}) {
        SCOPED_TRACE(std::string("LEVELCOLORS_THREADS=") + threads);
        setenv("LEVELCOLORS_THREADS", threads, 1);
        ViewerRun& viewer = start();
        const Screenshot shot = viewer.screenshot();
        // Rows: textures/good.png, the image that is no PNG (drawn at size 0), and the
        // description files that could be built; files without a sprite or swatch have none.
        EXPECT_EQ(shot.at(3, 29), 0x11AA11u);
        EXPECT_EQ(shot.at(12, 29), 0x22CC22u);
        // textures/gap.txt (row 4) plays the frame it has, never an empty one.
        EXPECT_EQ(shot.at(3, 29 + 4 * 32), 0xDD4545u);
        EXPECT_EQ(shot.at(12, 29 + 4 * 32), 0x0000AAu);
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardOutput(), "");
        expectLinesMatch(viewer.standardError(),
                         LevelFolder::goldenText("broken", "expected-stderr.txt"));
    }
    unsetenv("LEVELCOLORS_THREADS");

    // The check finds each of the viewer's description problems, at the same file and line.
    std::string report;
    EXPECT_EQ(
        runCommand({buildRoot() + "/levelcolors-check", "--quiet", level.path()}, &report, 30), 1);
    for (const char* where :
         {"unloadable texture textures/torn.png", "textures/bogus.txt: unknown sprite type",
          "textures/cycle.txt:2: part textures/cycle.txt names", "textures/empty.txt: an animation",
          "textures/gap.txt:2: frame textures/frames/missing.png cannot be loaded",
          "textures/jpg.txt:1: part textures/frames/a.jpg is neither",
          "textures/lost.txt:1: frame textures/frames/lost.png cannot be loaded",
          "textures/mixed.txt:3: frame textures/frames/small.png is 8x8",
          "textures/open.txt:1: file ends inside an open list",
          "textures/wordy.txt:2: Attempt to getList on atomic element: oops"})
        EXPECT_NE(report.find(where), std::string::npos) << where << "\n" << report;
}

TEST_F(ViewerBrokenLevel, LinksToNothingAndSpecialFilesAreNamedInScanOrderAndLeftOut) {
    level.addTexture("stone", 0x555555, 0x777777);
    level.writeImage("textures/zz_link_p.png", 8, 8, 0xAA2222);
    level.writeImage("textures/e_p.png", 8, 8, 0x22AA22);
    addCollisionSwatches();
    const std::string root = level.path() + "/";
    ASSERT_EQ(symlink("../nowhere/stone.png", (root + "textures/zz_link.png").c_str()), 0);
    ASSERT_EQ(mkfifo((root + "textures/e.txt").c_str(), 0644), 0);

    ViewerRun& viewer = start();
    // Only stone has a row; nothing waits on the FIFO.
    const Screenshot shot = viewer.screenshot();
    EXPECT_EQ(shot.at(3, 29), 0x555555u);
    EXPECT_EQ(shot.at(3, 29 + 32), white);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(),
              "textures/zz_link.png: a link to ../nowhere/stone.png, which does not exist\n"
              "textures/e.txt: not a regular file\n");
}

TEST_F(ViewerHostileLevel, SpecialHugeAndOversizedFilesNeitherHangNorExhaustAnything) {
    level.copyGolden("hostile");
    const std::string root = level.path() + "/";
    ASSERT_EQ(mkfifo((root + "textures/pipe_p.png").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo((root + "textures/frames/fifo.txt").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", (root + "textures/frames/zero.txt").c_str()), 0);
    level.writeText("textures/big.txt", "(animated" + std::string((2 << 20) - 10, ' ') + ")");

    ViewerRun& viewer = start();
    // The 8193 by 8193 image is shown, scaled down, at row 0.
    const Screenshot shot = viewer.screenshot();
    EXPECT_EQ(shot.at(3, 29), 0x113399u);
    EXPECT_EQ(shot.at(12, 29), 0x3366AAu);
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's shadow and quarantine add their own
    EXPECT_LT(peakMebibytes(viewer.process().pid()), 1024);
#endif
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardOutput(), "");
    expectLinesMatch(viewer.standardError(),
                     LevelFolder::goldenText("hostile", "expected-stderr.txt"));

    // The check reads the same files; a hang would end in the time-out.
    std::string report;
    EXPECT_EQ(runCommand({buildRoot() + "/levelcolors-check", level.path()}, &report, 30), 1);
    EXPECT_NE(report.find("unreadable swatch textures/pipe_p.png of textures/pipe.png (not a "
                          "regular file)"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("textures/outside.txt names ../levelcolors-hostile-absent/art.png, "
                          "outside the level folder"),
              std::string::npos)
        << report;
}

} // namespace
