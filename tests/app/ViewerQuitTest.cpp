// How the viewer ends other than by Escape: the close button, signals, a lost display or window.

#include "tests/app/ViewerCase.h"

#include <csignal>
#include <gtest/gtest.h>

namespace {

TEST_F(ViewerQuit, TheCloseButtonSigintAndSigtermEndItAsEscapeDoes) {
    addCollisionSwatches();
    for (const int signal : {0, SIGINT, SIGTERM}) { // 0: the window's close button
        SCOPED_TRACE("signal " + std::to_string(signal));
        ViewerRun& viewer = start();
        if (signal == 0)
            ASSERT_TRUE(viewer.driver().closeWindow(viewer.window()));
        else
            kill(viewer.process().pid(), signal);
        EXPECT_EQ(viewer.process().wait(30), 0);
        EXPECT_EQ(viewer.standardError(), "");
    }
}

TEST_F(ViewerQuit, LosingTheDisplayEndsItWithOneLineAndStatusOne) {
    addCollisionSwatches();
    ViewerRun& viewer = start();
    const std::string display = viewer.server().display();
    viewer.server().stop();
    // Before, it spun for ever once the display was gone: any bound tells the two apart.
    EXPECT_EQ(viewer.process().wait(60), 1);
    EXPECT_EQ(viewer.standardError(), "Lost the display " + display + "\n");
}

TEST_F(ViewerQuit, ADestroyedWindowEndsItWithOneLineOfItsOwnAndStatusOne) {
    addCollisionSwatches();
    ViewerRun& viewer = start();
    ASSERT_TRUE(viewer.driver().destroyWindow(viewer.window()));
    EXPECT_EQ(viewer.process().wait(60), 1);
    // Before, Xlib's own "X Error of failed request: BadDrawable ..." and its details.
    EXPECT_EQ(viewer.standardError(),
              "Lost the window on the display " + viewer.server().display() + "\n");
    EXPECT_EQ(viewer.standardOutput(), "");
}

} // namespace
