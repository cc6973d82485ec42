// The pointer on the map view: hovering names a cell, a click goes to its row's page and
// frames the row.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerMapLevel.h"
#include "tests/app/ViewerScreen.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerMap, HoverNamesTheCellAndAClickGoesToItsRowsPage) {
    ViewerRun& viewer = startOnMap();
    struct Hover {
        int x, y;
        int characters;
    };
    const Hover hovers[] = {
        {8, 40, 30},    // 0,0 #10ABCD textures/brick.png
        {40, 40, 31},   // 2,0 #3366CC characters/hero.txt
        {56, 40, 23},   // 3,0 #55AAAA walk behind
        {8, 56, 31},    // 0,1 #010203 no marker within 12
        {24, 56, 17},   // 1,1 #000000 empty
        {150, 400, 23}, // off the map: 4x2, 1 stray pixel, x16
    };
    for (const Hover& hover : hovers) {
        ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), hover.x, hover.y));
        SCOPED_TRACE(std::to_string(hover.x) + "," + std::to_string(hover.y));
        viewer.waitFor(statusOf(hover.characters));
    }
    // The objects view keeps a filter that hides the hero; a click on its cell clears it.
    viewer.press({"o", "slash", "z", "Return", "m"});
    viewer.waitFor(mapShown);
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 40, 40));
    Screenshot shot = viewer.waitFor(captionOf(8)); // OBJECTS:
    EXPECT_EQ(shot.at(3, 29), 0x3366CCu);           // the hero's row
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);         // no filter
    viewer.press({"m"});
    viewer.waitFor(mapShown);
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 8, 40));
    shot = viewer.waitFor(captionOf(9));
    EXPECT_EQ(shot.at(3, 29), brickMarker); // TEXTURES:, the brick's row
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerMap, TheHoverTextNamesATextureAndAnObjectOfOneColourBoth) {
    ViewerRun& viewer =
        startOnMap([](LevelFolder& map) { map.addObject("events", "w", brickMarker); });
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 8, 40));
    // The window's 42 characters: 0,0 #10ABCD .../brick.png and events/w.txt
    viewer.waitFor(statusOf(42));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerMap, AClickedCellsRowIsFramedUntilTheNextKeyOrClickAndNamedUntilThePointerMoves) {
    ViewerRun& viewer = startOnMap();
    // The lava's cell: its row is the second (y 58 to 89), the pointer over the first.
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 24, 40));
    viewer.waitFor(pixelIs(150, 56, black));
    Screenshot shot = afterLavaPlays(viewer, 12, 60);
    EXPECT_EQ(captionWidth(shot), labelWidth(9)); // TEXTURES:
    // Two pixels of black around the row's band, outside it above and below.
    for (const auto& [x, y] : {std::pair{150, 56},
                               {150, 57},
                               {150, 90},
                               {150, 91},
                               {0, 70},
                               {1, 70},
                               {298, 70},
                               {299, 70}})
        EXPECT_EQ(shot.at(x, y), black) << x << "," << y;
    for (const auto& [x, y] :
         {std::pair{150, 55}, {150, 58}, {150, 89}, {150, 92}, {2, 70}, {297, 70}})
        EXPECT_EQ(shot.at(x, y), white) << x << "," << y;
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(17)); // textures/lava.txt
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(33)); // #AA2200 16x16, 2 frames, 0 others
    // Once the pointer moves, the hover lines follow it; the frame stays.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 30));
    viewer.waitFor(bottomLineOf(2, 18));
    shot = afterLavaPlays(viewer, 12, 60);
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(18)); // textures/brick.png
    EXPECT_EQ(shot.at(150, 56), black);
    // A key ends it, even one that changes nothing else.
    viewer.press({"1"});
    viewer.waitFor(pixelIs(150, 56, white));
    shot = afterLavaPlays(viewer, 12, 60);
    EXPECT_EQ(shot.at(150, 56), white);
    EXPECT_EQ(shot.at(299, 70), white);

    // The hero's row, the first of the objects page (y 26 to 38); the pointer over none.
    viewer.press({"m"});
    viewer.waitFor(mapShown);
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 40, 40));
    shot = viewer.waitFor("a hover line",
                          [](const Screenshot& s) { return bottomLineWidth(s, 2) > 0; });
    EXPECT_EQ(captionWidth(shot), labelWidth(8));        // OBJECTS:
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(19)); // characters/hero.txt
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(17)); // #3366CC, 0 others
    for (const auto& [x, y] : {std::pair{150, 24}, {150, 25}, {150, 39}, {150, 40}, {299, 32}})
        EXPECT_EQ(shot.at(x, y), black) << x << "," << y;
    // A click ends it as a key does.
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 150, 600));
    shot = viewer.waitFor(pixelIs(150, 24, white));
    EXPECT_EQ(shot.at(299, 32), white);
    EXPECT_EQ(bottomLineWidth(shot, 2), 0);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
