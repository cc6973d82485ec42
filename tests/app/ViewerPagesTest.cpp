// The pages of the viewer: rows in name order, fifteen textures or forty objects a page, the
// page keys, the collision page, and art scaled into its row.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerPages, TexturesPageShowsFifteenRowsAPageInNameOrder) {
    addCollisionSwatches();
    // Written in reverse so that only the listing's order can put them in name order.
    for (int i = 19; i >= 0; --i)
        level.addTexture(numbered("t", i), swatchColour(i), imageColour(i));
    ViewerRun& viewer = start();

    Screenshot shot = viewer.screenshot();
    EXPECT_EQ(captionWidth(shot), labelWidth(9));
    for (int row = 0; row < 15; ++row) {
        const int y = rowY(row, 32);
        SCOPED_TRACE("row " + std::to_string(row));
        // The swatch at x 0, 8 by 8; the 16 by 16 texture at x 10.
        EXPECT_EQ(shot.at(0, y), swatchColour(row));
        EXPECT_EQ(shot.at(7, y + 7), swatchColour(row));
        EXPECT_EQ(shot.at(8, y + 3), white);
        EXPECT_EQ(shot.at(3, y + 8), white);
        EXPECT_EQ(shot.at(10, y), imageColour(row));
        EXPECT_EQ(shot.at(25, y + 15), imageColour(row));
        EXPECT_EQ(shot.at(9, y + 3), white);
        EXPECT_EQ(shot.at(26, y + 3), white);
        EXPECT_EQ(shot.at(12, y + 16), white);
    }
    EXPECT_EQ(shot.at(3, rowY(15, 32) + 3), white);

    viewer.press({"2"}); // page 1
    shot = viewer.waitFor(pixelIs(3, 29, swatchColour(15)));
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(shot.at(3, rowY(row, 32) + 3), swatchColour(15 + row));
        EXPECT_EQ(shot.at(12, rowY(row, 32) + 3), imageColour(15 + row));
    }
    EXPECT_EQ(shot.at(3, rowY(5, 32) + 3), white);

    viewer.press({"3"}); // page 2 starts past the end: the caption only
    shot = viewer.waitFor(pixelIs(3, 29, white));
    EXPECT_EQ(shot.at(12, 29), white);
    EXPECT_EQ(captionWidth(shot), labelWidth(9));

    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerPages, ObjectsArePagedOnTheirOwnAfterTheTextures) {
    addCollisionSwatches();
    for (int i = 0; i < 10; ++i)
        level.addTexture(numbered("t", i), swatchColour(i), imageColour(i));
    for (int i = 0; i < 50; ++i)
        level.addObject("characters", numbered("o", i), swatchColour(100 + i));
    ViewerRun& viewer = start();

    viewer.press({"o"});
    Screenshot shot = viewer.waitFor(captionOf(8)); // "OBJECTS:"
    for (int row = 0; row < 40; ++row) {
        const int y = rowY(row, 13);
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(shot.at(0, y), swatchColour(100 + row));
        EXPECT_EQ(shot.at(7, y + 7), swatchColour(100 + row));
        // "characters/oNN.txt", 10 pixels below the row: glyph tops at y - 4.
        EXPECT_EQ(barWidth(shot, 10, y + 4), labelWidth(18));
        EXPECT_EQ(shot.at(9, y + 4), white);
    }
    EXPECT_EQ(shot.at(10, rowY(0, 13) - 5), white);
    EXPECT_EQ(shot.at(10, rowY(0, 13) - 4), black);
    EXPECT_EQ(shot.at(3, rowY(40, 13) + 3), white);

    // Page 1 shows objects 41 to 50: the ten texture entries before them do not count.
    viewer.press({"2"});
    shot = viewer.waitFor(pixelIs(3, 29, swatchColour(140)));
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(shot.at(3, rowY(row, 13) + 3), swatchColour(140 + row)) << "row " << row;
    EXPECT_EQ(shot.at(3, rowY(10, 13) + 3), white);

    // Switching the view keeps the page: textures page 1 is past the ten textures.
    viewer.press({"t"});
    shot = viewer.waitFor(captionOf(9));
    EXPECT_EQ(shot.at(3, 29), white);
    viewer.press({"1"});
    shot = viewer.waitFor(pixelIs(3, 29, swatchColour(0)));
    EXPECT_EQ(shot.at(12, 29), imageColour(0));

    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerPages, EveryPageKeyPicksItsPage) {
    // One object per page of the objects view: the object at entry 40 * p is on page p alone.
    addCollisionSwatches();
    for (int i = 0; i < 22 * 40; ++i)
        level.addObject("events", "e" + std::to_string(1000 + i), swatchColour(200 + i));
    ViewerRun& viewer = start();
    viewer.press({"o"});
    const std::vector<std::string> keys = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "q",
                                           "w", "e", "r", "a", "s", "d", "f", "z", "x", "c", "v"};
    for (int page = 21; page >= 0; --page) {
        viewer.press({keys[size_t(page)]});
        SCOPED_TRACE("key " + keys[size_t(page)]);
        viewer.waitFor(pixelIs(3, 29, swatchColour(200 + 40 * page)));
    }
    // Shifted letters are the same keys; keypad digits and other keys change nothing.
    viewer.press({"shift+q"});
    viewer.waitFor(pixelIs(3, 29, swatchColour(600)));
    // The textures view after them shows that they all arrived; back in the objects view,
    // the page is still the one picked before.
    viewer.press({"KP_1", "n", "space", "Return", "p", "t"});
    viewer.waitFor(captionOf(9));
    viewer.press({"o"});
    Screenshot shot = viewer.waitFor(captionOf(8));
    EXPECT_EQ(shot.at(3, 29), swatchColour(600));
    // The last of several keys in one frame wins.
    viewer.press({"4", "5", "1"});
    viewer.waitFor(pixelIs(3, 29, swatchColour(200)));
    EXPECT_EQ(viewer.quit(), 0);
}

TEST_F(ViewerPages, CollisionPageShowsTheSwatchesThatCarryTheCollisionColours) {
    level.copyGolden("collision");
    ViewerRun& viewer = start();
    viewer.press({"y"});
    Screenshot shot = viewer.waitFor(captionOf(17)); // "COLLISION COLORS:"
    // Walk Behind: the colour of characters/wall.txt, drawn with that object's swatch.
    EXPECT_EQ(shot.at(0, 26), 0x3366CCu);
    EXPECT_EQ(shot.at(7, 33), 0x3366CCu);
    EXPECT_EQ(barWidth(shot, 10, 28), labelWidth(11)); // "Walk Behind" at y 36
    // Walk Into: no file carries it, so its own swatch image stands in, at 8 by 8.
    EXPECT_EQ(shot.at(0, 39), 0xCC3366u);
    EXPECT_EQ(shot.at(7, 46), 0xCC3366u);
    EXPECT_EQ(shot.at(8, 42), white);
    EXPECT_EQ(shot.at(3, 47), white);
    EXPECT_EQ(barWidth(shot, 10, 43), labelWidth(9)); // "Walk Into" at y 49

    // Page keys change nothing on this page. The key does pick the page that the objects
    // view then shows (page 5, empty), which proves that it arrived.
    viewer.press({"5"});
    viewer.press({"o"});
    const Screenshot objects = viewer.waitFor(captionOf(8)); // "OBJECTS:"
    EXPECT_EQ(objects.at(3, 29), white);
    viewer.press({"y"});
    const Screenshot after = viewer.waitFor(captionOf(17));
    EXPECT_EQ(after.pixels, shot.pixels);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerPages, AColourListedTwiceGetsARowForEachEntry) {
    level.copyGolden("duplicates");
    ViewerRun& viewer = start();
    // The list: lava.png, rock.png, lava.txt, then entities/boulder.txt. lava.png and
    // lava.txt share textures/lava_p.png, so both rows show the animation made from
    // lava.txt (first frame orange); boulder carries rock's colour, so the textures page
    // shows rock a second time.
    Screenshot shot = viewer.screenshot();
    const uint32_t lava = 0xAA2200, rock = 0x555555;
    const uint32_t swatches[] = {lava, rock, lava, rock};
    const uint32_t textures[] = {0xFF8800, 0x777777, 0xFF8800, 0x777777};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(shot.at(3, rowY(row, 32) + 3), swatches[row]) << "row " << row;
        EXPECT_EQ(shot.at(12, rowY(row, 32) + 3), textures[row]) << "row " << row;
    }
    EXPECT_EQ(shot.at(3, rowY(4, 32) + 3), white);

    viewer.press({"o"});
    shot = viewer.waitFor(captionOf(8));
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(shot.at(3, rowY(row, 13) + 3), rock);
        EXPECT_EQ(barWidth(shot, 10, rowY(row, 13) + 4), labelWidth(20)); // entities/boulder.txt
    }
    EXPECT_EQ(shot.at(3, rowY(2, 13) + 3), white);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerPages, BigArtIsScaledIntoItsRowAndArtThatFitsIsDrawnAsItIs) {
    addCollisionSwatches();
    level.writeImage("textures/a.png", 640, 480, 0x2040C0);
    level.writeImage("textures/a_p.png", 8, 8, 0x112233);
    level.addTexture("b", 0x445566, 0xC04020);
    ViewerRun& viewer = start();
    const Screenshot shot = viewer.screenshot();
    // 640 by 480 scaled by 1/15 to fit 32 rows: x 10 to 52, y 26 to 57.
    EXPECT_EQ(shot.at(10, 26), 0x2040C0u);
    EXPECT_EQ(shot.at(51, 57), 0x2040C0u);
    EXPECT_EQ(shot.at(54, 30), white);
    EXPECT_EQ(shot.at(150, 300), white);
    // The 16 by 16 texture in the next row, to the pixel.
    EXPECT_EQ(shot.at(3, 61), 0x445566u);
    EXPECT_EQ(shot.at(10, 58), 0xC04020u);
    EXPECT_EQ(shot.at(25, 73), 0xC04020u);
    EXPECT_EQ(shot.at(26, 60), white);
    EXPECT_EQ(shot.at(12, 74), white);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
