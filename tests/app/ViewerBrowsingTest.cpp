// Browsing the pages: Page Up and Down, Home, End and the wheel, a view change past the other
// view's end, and a held key's repeats.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerBrowsing, PageKeysHomeEndAndTheWheelReachEveryTexturesPage) {
    addCollisionSwatches();
    // 500 textures: pages 1 to 34, the last with textures 496 to 500. Past the first page's
    // images they are clocks, green then blue for 40 frames each, that tell how long a page
    // has been shown.
    for (int i = 0; i < 15; ++i)
        level.addTexture("t" + std::to_string(1000 + i), swatchColour(i), 0x808080);
    level.writeImage("textures/frames/green.png", 16, 16, 0x00FF00);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    for (int i = 15; i < 500; ++i)
        level.addAnimation("u" + std::to_string(1000 + i), swatchColour(i),
                           {{"textures/frames/green.png", 40}, {"textures/frames/blue.png", 40}});
    ViewerRun& viewer = start();
    auto showsPageOf = [&viewer](int texture) {
        return viewer.waitFor(pixelIs(3, 29, swatchColour(texture)));
    };
    // The page of `texture` shows, and still shows once its first clock has gone green, blue
    // and green again: 40 frames of 16 ms or more later, past the delay before a key repeats.
    auto holds = [&viewer](int texture) {
        for (const uint32_t colour : {0x00FF00u, 0x0000FFu, 0x00FF00u})
            viewer.waitFor(both(pixelIs(3, 29, swatchColour(texture)), pixelIs(12, 29, colour)));
    };
    EXPECT_EQ(viewer.screenshot().at(3, 29), swatchColour(0));
    // Page Up on the first page stays there, so Page Down then shows the second.
    viewer.press({"Prior", "Next"});
    showsPageOf(15);
    // A wheel step is one page, each way; none of the keys pressed before acts again.
    viewer.driver().turnWheel(viewer.window(), 5);
    holds(30);
    viewer.driver().turnWheel(viewer.window(), 4);
    holds(15);

    viewer.press({"End"});
    Screenshot shot = showsPageOf(495);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(shot.at(3, rowY(row, 32) + 3), swatchColour(495 + row));
    EXPECT_EQ(shot.at(3, rowY(5, 32) + 3), white);
    viewer.press({"i"});
    viewer.waitFor(pageNumberOf(13)); // "page 34 of 34"
    // Page Down on the last page stays there, so Page Up then shows the one before.
    viewer.press({"i", "Next", "Prior"});
    showsPageOf(480);
    viewer.press({"Home"});
    showsPageOf(0);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerBrowsing, AViewChangeFromPastThePageKeysAndTheNewViewsEndShowsItsLastPage) {
    addCollisionSwatches();
    // 360 textures, pages 1 to 24; 50 objects, pages 1 and 2.
    for (int i = 0; i < 360; ++i)
        level.addTexture("t" + std::to_string(1000 + i), swatchColour(i), 0x808080);
    for (int i = 0; i < 50; ++i)
        level.addObject("characters", "o" + std::to_string(1000 + i), swatchColour(360 + i));
    ViewerRun& viewer = start();
    auto shows = [&viewer](uint32_t swatch, int pageNumberLength) {
        return viewer.waitFor(both(pixelIs(3, 29, swatch), pageNumberOf(pageNumberLength)));
    };
    viewer.press({"i", "End"});
    shows(swatchColour(345), 13); // "page 24 of 24"
    // o: the objects' last page, which holds after a second frame (the overlay going off).
    viewer.press({"o"});
    shows(swatchColour(400), 11); // "page 2 of 2"
    viewer.press({"i"});
    Screenshot shot = viewer.waitFor(pageNumberOf(11, false));
    EXPECT_EQ(captionWidth(shot), labelWidth(8));
    EXPECT_EQ(shot.at(3, 29), swatchColour(400));
    EXPECT_EQ(shot.at(3, rowY(9, 13) + 3), swatchColour(409));
    // Page Up then shows the first page.
    viewer.press({"i", "Prior"});
    shows(swatchColour(360), 11); // "page 1 of 2"
    // Within the page keys' range the page stays as it is, empty past the view's end.
    viewer.press({"v"});
    shot = shows(white, 12); // "page 22 of 2"
    EXPECT_EQ(captionWidth(shot), labelWidth(8));
    viewer.press({"t"});
    shows(swatchColour(315), 13); // "page 22 of 24"
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerBrowsing, AHeldPageDownMovesOnePageAtEachRepeat) {
    addCollisionSwatches();
    // 150 textures: pages 1 to 10.
    for (int i = 0; i < 150; ++i)
        level.addTexture("t" + std::to_string(1000 + i), swatchColour(i), 0x808080);
    ViewerRun& viewer = start();
    // Page 5 or later, reached while the key is held down once.
    auto pastPageFour = [](const Screenshot& s) {
        for (int page = 4; page < 10; ++page) {
            if (s.at(3, 29) == swatchColour(15 * page))
                return true;
        }
        return false;
    };
    ASSERT_TRUE(viewer.driver().holdKey(viewer.window(), "Next"));
    viewer.waitFor("page 5 or later", pastPageFour);
    ASSERT_TRUE(viewer.driver().releaseKey(viewer.window(), "Next"));
    // A key that does not repeat acts once however long it is held: Home then goes back.
    viewer.press({"Home"});
    viewer.waitFor(pixelIs(3, 29, swatchColour(0)));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
