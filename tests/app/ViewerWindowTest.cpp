// The viewer's window: what it shows at start, the start-ups that fail, and what it links.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include "tests/support/Paths.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerWindow, OpensItsWindowDrawsTheOverlayAndEndsOnEscape) {
    addCollisionSwatches();
    ViewerRun& viewer = start();

    EXPECT_EQ(viewer.driver().windowName(viewer.window()), ViewerRun::title);
    EXPECT_EQ(viewer.driver().windowSize(viewer.window()), std::make_pair(300, 800));
    const Screenshot shot = viewer.screenshot();
    ASSERT_EQ(shot.width, 300);
    ASSERT_EQ(shot.height, 800);
    // The overlay lies at (5, 720), 51 by 81: its row 79 is the window's last.
    EXPECT_EQ(shot.at(5, 720), LevelFolder::overlayTopLeft);
    EXPECT_EQ(shot.at(55, 799), LevelFolder::overlayBottomRight);
    EXPECT_EQ(shot.at(6, 721), 0x808080u);
    EXPECT_EQ(shot.at(4, 720), white);
    EXPECT_EQ(shot.at(5, 719), white);
    EXPECT_EQ(shot.at(56, 760), white);
    // An empty level shows the textures page's caption only.
    EXPECT_EQ(captionWidth(shot), labelWidth(9)); // "TEXTURES:"
    EXPECT_EQ(shot.at(3, rowY(0, 32) + 3), white);

    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardOutput(), "");
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerWindow, StartUpFailuresPrintOneLineAndEndWithStatusOne) {
    {
        TestedProgram viewer({viewerBinary()}, level.path(), {{"SDL_VIDEODRIVER", "dummy"}});
        EXPECT_EQ(viewer.wait(), 1);
        const std::string out = viewer.standardOutput();
        EXPECT_EQ(out.rfind("Unable to dynamically open GL lib : ", 0), 0u) << out;
        EXPECT_GT(out.size(), std::string("Unable to dynamically open GL lib : \n").size());
        EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    }
    {
        TestedProgram viewer({viewerBinary()}, level.path(),
                             {{"SDL_VIDEODRIVER", "x11"}, {"DISPLAY", ""}});
        EXPECT_EQ(viewer.wait(), 1);
        const std::string out = viewer.standardOutput();
        EXPECT_EQ(out.rfind("Unable to init SDL : ", 0), 0u) << out;
        EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    }
}

TEST_F(ViewerWindow, WithoutADisplayItEndsAtOnceWithOneLine) {
    // Before, SDL fell back to a driver without a window and the viewer ran for ever: any
    // bound tells the two apart.
    TestedProgram viewer({viewerBinary()}, level.path(),
                         {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""}});
    EXPECT_EQ(viewer.wait(60), 1);
    const std::string out = viewer.standardOutput();
    EXPECT_EQ(out.rfind("Unable to init SDL : ", 0), 0u) << out;
    EXPECT_GT(out.size(), std::string("Unable to init SDL : \n").size()) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
}

TEST_F(ViewerWindow, TheBinaryDoesNotLinkOpenGL) {
    std::string dynamic;
    ASSERT_EQ(runCommand({"readelf", "-d", viewerBinary()}, &dynamic), 0);
    EXPECT_NE(dynamic.find("libSDL"), std::string::npos) << dynamic;
    EXPECT_EQ(dynamic.find("libGL"), std::string::npos) << dynamic;
    EXPECT_EQ(dynamic.find("libOpenGL"), std::string::npos) << dynamic;
}

} // namespace
