// Animations on the viewer's pages play only while their row is shown, and a still page
// waits for the next event.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerPages, TexturesAnimateOnlyWhileTheirRowIsShown) {
    addCollisionSwatches();
    for (int i = 0; i < 14; ++i)
        level.addTexture(numbered("a", i), swatchColour(i), imageColour(i));
    level.writeImage("textures/frames/red.png", 16, 16, 0xFF0000);
    level.writeImage("textures/frames/green.png", 16, 16, 0x00FF00);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    // Clocks that loop, green then blue for 45 frames each: entry 14 (page 1's last row) and
    // entry 16 (page 2's second row).
    const std::vector<std::pair<std::string, int>> clock = {{"textures/frames/green.png", 45},
                                                            {"textures/frames/blue.png", 45}};
    level.addAnimation("clock", 0x00AA01, clock);
    level.addAnimation("zzclock", 0x00AA02, clock);
    // Entry 15, page 2's first row: red for 50 frames, then blue, where it rests.
    level.addAnimation("zz", 0x00AA00,
                       {{"textures/frames/red.png", 50}, {"textures/frames/blue.png", 10}}, false);
    ViewerRun& viewer = start();
    // A clock's pixel at row `row` has gone green, blue and green again: over 90 frames drawn.
    auto fullTurn = [&viewer](int row) {
        const int y = rowY(row, 32) + 3;
        SCOPED_TRACE("row " + std::to_string(row));
        for (const uint32_t colour : {0x00FF00u, 0x0000FFu, 0x00FF00u})
            viewer.waitFor(pixelIs(12, y, colour));
    };

    fullTurn(14);
    // That the animation on page 2 has not moved meanwhile is PagesTest's to show: a screenshot
    // may come any number of frames after the page.
    viewer.press({"2"});
    viewer.waitFor(pixelIs(3, 29, 0x00AA00));
    // Shown, it moves on to its second frame and rests there while the clock beside it turns.
    viewer.waitFor(pixelIs(12, 29, 0x0000FF));
    fullTurn(1);
    EXPECT_EQ(viewer.screenshot().at(12, 29), 0x0000FFu);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerPages, AStillPageWaitsAndFramesComeAgainForTheMouseAndForAnAnimationInView) {
    addCollisionSwatches();
    // Page 1 is still; page 2 holds a clock, green then blue for 45 frames each.
    for (int i = 0; i < 15; ++i)
        level.addTexture(numbered("a", i), swatchColour(i), imageColour(i));
    level.writeImage("textures/frames/green.png", 16, 16, 0x00FF00);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    level.addAnimation("clock", 0x00AA01,
                       {{"textures/frames/green.png", 45}, {"textures/frames/blue.png", 45}});
    ViewerRun& viewer = start();
    // The pointer over the still page's first row names it.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 30));
    viewer.waitFor(bottomLineOf(2, 16)); // textures/a00.png
    // The clock comes into view and plays: green, blue and green again.
    viewer.press({"2"});
    for (const uint32_t colour : {0x00FF00u, 0x0000FFu, 0x00FF00u})
        viewer.waitFor(pixelIs(12, 29, colour));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
