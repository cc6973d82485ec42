// Hovering over a row names it on two lines above the find line.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerHover, TheRowUnderTheMouseIsNamedOnTwoLinesAboveTheFindLine) {
    addCollisionSwatches();
    level.addTexture("a00", 0x10ABCD, 0xC04020, 24);
    level.writeImage("textures/frames/red.png", 16, 16, 0xFF0000);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    level.addAnimation("lava", 0xAA2200,
                       {{"textures/frames/red.png", 5}, {"textures/frames/blue.png", 5}});
    // Two objects carry lava's colour.
    level.addObject("characters", "o00", 0xAA2200);
    level.addObject("entities", "o01", 0xAA2200);
    ViewerRun& viewer = start();

    // Row 1 (y 58 to 89): the animation.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 70));
    Screenshot shot = viewer.waitFor("a hover line",
                                     [](const Screenshot& s) { return bottomLineWidth(s, 2) > 0; });
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(17)); // textures/lava.txt
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(33)); // #AA2200 16x16, 2 frames, 2 others
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);
    // Row 0: the image, 24 by 24, whose colour no other file has.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 30));
    shot = viewer.waitFor(bottomLineOf(2, 16));          // textures/a00.png
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(23)); // #10ABCD 24x24, 0 others
    // Below the rows: nothing.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 400));
    shot = viewer.waitFor(bottomLineOf(2, 0));
    EXPECT_EQ(bottomLineWidth(shot, 1), 0);
    // An objects row (rows 13 apart), with the find line open below the hover lines.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 40));
    viewer.press({"o", "slash"});
    shot = viewer.waitFor("the find line",
                          [](const Screenshot& s) { return bottomLineWidth(s, 0) > 0; });
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(16)); // entities/o01.txt
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(17)); // #AA2200, 2 others
    EXPECT_EQ(bottomLineWidth(shot, 0), labelWidth(10)); // /_: 2 of 2
    viewer.press({"Escape"});
    viewer.waitFor(bottomLineOf(0, 0));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
