// An installed viewer moved to another prefix finds its data folder there.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include "tests/support/Paths.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST_F(ViewerInstall, AMovedInstallRunsOnItsOwnDataFolder) {
    LevelFolder scratch;
    const std::string first = scratch.path() + "/first";
    const std::string moved = scratch.path() + "/moved";
    ASSERT_EQ(runCommand({"cmake", "--install", buildRoot(), "--prefix", first}), 0);
    ASSERT_EQ(rename(first.c_str(), moved.c_str()), 0);
    for (const char* file :
         {"bin/levelcolors", "bin/levelcolors-check", "share/man/man1/levelcolors.1",
          "share/man/man1/levelcolors-check.1", "share/doc/levelcolors/LICENSE",
          "share/levelcolors/fonts/LICENSE-Terminus.txt", "share/levelcolors/fonts/smallFont.png",
          "share/levelcolors/whiteBG.png"})
        EXPECT_EQ(access((moved + "/" + file).c_str(), R_OK), 0) << file;
    // The bundled demo level passes the check.
    EXPECT_EQ(runCommand({moved + "/bin/levelcolors-check", moved + "/share/levelcolors"}), 0);

    // A partial data folder costs only the missing file's line.
    std::remove((moved + "/share/levelcolors/scramble.png").c_str());
    removeDecorations(level);
    addCollisionSwatches();
    ViewerRun viewer("/", {level.path()}, moved + "/bin/levelcolors");
    const Screenshot shot = viewer.screenshot();
    EXPECT_TRUE(captionHasGlyphs(shot));
    EXPECT_EQ(shot.at(5, 720), white);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(),
              "Unable to load image scramble.png : Couldn't open scramble.png\n");
}

} // namespace
