// How a page looks besides its rows: the background the B key picks, and the info overlay's
// paths, colours, page number and swatch frames.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerPages, BCyclesTheBackgroundThroughCheckerboardAndGreyBackToWhite) {
    addCollisionSwatches();
    level.addTexture("t00", swatchColour(0), 0xC04020);
    ViewerRun& viewer = start();
    const Screenshot first = viewer.screenshot();

    viewer.press({"b"});
    Screenshot shot = viewer.waitFor("a background other than white at 108,400",
                                     [](const Screenshot& s) { return s.at(108, 400) != white; });
    // 8-pixel squares, white in the top-left one.
    EXPECT_EQ(shot.at(108, 400), 0xCCCCCCu);
    EXPECT_EQ(shot.at(100, 408), 0xCCCCCCu);
    EXPECT_EQ(shot.at(100, 400), white);
    EXPECT_EQ(shot.at(108, 408), white);
    EXPECT_EQ(captionWidth(shot), labelWidth(9));
    EXPECT_EQ(shot.at(12, 29), 0xC04020u);

    viewer.press({"b"});
    shot = viewer.waitFor("a background other than white at 100,400",
                          [](const Screenshot& s) { return s.at(100, 400) != white; });
    EXPECT_EQ(shot.at(100, 400), 0x808080u);
    EXPECT_EQ(shot.at(108, 400), 0x808080u);
    EXPECT_EQ(captionWidth(shot), labelWidth(9));
    EXPECT_EQ(shot.at(12, 29), 0xC04020u);

    viewer.press({"b"});
    shot = viewer.waitFor(pixelIs(100, 400, white));
    EXPECT_EQ(shot.pixels, first.pixels);
    EXPECT_EQ(viewer.quit(), 0);
}

TEST_F(ViewerPages, TheInfoOverlayNamesRowsAndColoursAndGoesAgainWithoutATrace) {
    addCollisionSwatches();
    level.addTexture("t00", 0x10ABCD, 0xC04020);
    level.addObject("characters", "o00", 0x20ABCD);
    ViewerRun& viewer = start();
    const Screenshot before = viewer.screenshot();

    viewer.press({"i"});
    Screenshot shot = viewer.waitFor(pageNumberOf(11)); // "page 1 of 1"
    // Right of the texture's 64-pixel box: its path, and below it its colour.
    EXPECT_EQ(shot.at(12, 29), 0xC04020u);
    EXPECT_EQ(barWidth(shot, 78, 31), labelWidth(16)); // textures/t00.png
    EXPECT_EQ(shot.at(77, 31), white);
    EXPECT_EQ(barWidth(shot, 78, 50), labelWidth(7)); // #10ABCD

    viewer.press({"o"});
    shot = viewer.waitFor(captionOf(8));
    EXPECT_EQ(barWidth(shot, 10, 30), labelWidth(26)); // characters/o00.txt #20ABCD
    viewer.press({"y"});
    shot = viewer.waitFor(captionOf(17));
    EXPECT_EQ(barWidth(shot, 10, 28), labelWidth(19)); // Walk Behind #123456
    EXPECT_EQ(barWidth(shot, 10, 43), labelWidth(17)); // Walk Into #654321
    EXPECT_TRUE(pageNumberShown(shot, 11));

    viewer.press({"t", "i"});
    shot = viewer.waitFor(pageNumberOf(11, false));
    EXPECT_EQ(shot.pixels, before.pixels);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerPages, WithTheInfoOverlaySwatchesSitInADarkGreyFrame) {
    addCollisionSwatches();
    level.addTexture("t00", 0xEEFFDD, 0xC04020); // near-white, unseen on white
    level.addObject("characters", "o00", 0xFFFFDD);
    ViewerRun& viewer = start();
    EXPECT_EQ(viewer.screenshot().at(0, 26), 0xEEFFDDu); // without the overlay, as before
    // The frame from x 0 to 9 and y to y + 9, the swatch one pixel in, at 8 by 8.
    auto expectFramed = [](const Screenshot& shot, int y, uint32_t swatch) {
        for (int i = 0; i < 10; ++i) {
            SCOPED_TRACE("pixel " + std::to_string(i) + " of row y " + std::to_string(y));
            EXPECT_EQ(shot.at(i, y), 0x404040u);
            EXPECT_EQ(shot.at(i, y + 9), 0x404040u);
            EXPECT_EQ(shot.at(0, y + i), 0x404040u);
            EXPECT_EQ(shot.at(9, y + i), 0x404040u);
        }
        EXPECT_EQ(shot.at(1, y + 1), swatch);
        EXPECT_EQ(shot.at(8, y + 8), swatch);
        EXPECT_EQ(shot.at(0, y + 10), white);
    };
    viewer.press({"i"});
    Screenshot shot = viewer.waitFor(pixelIs(0, 26, 0x404040));
    expectFramed(shot, 26, 0xEEFFDD);
    viewer.press({"o"});
    shot = viewer.waitFor(pixelIs(1, 27, 0xFFFFDD));
    expectFramed(shot, 26, 0xFFFFDD);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerPages, ALongPathIsShortenedToTheWindowAndTheColourIsNeverCut) {
    addCollisionSwatches();
    // 40 and 61 characters: wider than the room beside the texture and on the objects row.
    level.addTexture("gfx-menu-anims-langame_0012", 0x10ABCD, 0xC04020);
    level.addObject("cutscenes", "multiplayer_intro_with_a_rather_long_name_02", 0x20ABCD);
    ViewerRun& viewer = start();
    viewer.press({"i"});
    // The path in the 31 characters right of the texture box; the colour below it whole.
    Screenshot shot = viewer.waitFor(pixelIs(78, 31, black));
    EXPECT_EQ(barWidth(shot, 78, 31), labelWidth(31));
    EXPECT_EQ(barWidth(shot, 78, 50), labelWidth(7));
    // The objects row holds 41 characters: the path gives way to " #20ABCD".
    viewer.press({"o"});
    shot = viewer.waitFor(captionOf(8));
    EXPECT_EQ(barWidth(shot, 10, 30), labelWidth(41));
    EXPECT_EQ(shot.at(299, 30), white);
    viewer.press({"i"});
    shot = viewer.waitFor(pixelIs(0, 26, 0x20ABCD));
    EXPECT_EQ(barWidth(shot, 10, 30), labelWidth(41));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
