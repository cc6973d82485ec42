// The map view of the map golden level: cells drawn as art or as painted, no map or an
// unreadable one, zoom and pan, reduced art, and a map saved again.

#include "pngwriter/PngWriter.h"
#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerMapLevel.h"
#include "tests/app/ViewerScreen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST_F(ViewerMap, MShowsTheMapCellByCellAndPShowsItAsPainted) {
    ViewerRun& viewer = startOnMap();
    Screenshot shot = viewer.screenshot();
    EXPECT_EQ(captionWidth(shot), labelWidth(23)); // MAP: levels/painted.png
    EXPECT_EQ(statusWidth(shot), labelWidth(23));  // 4x2, 1 stray pixel, x16
    EXPECT_EQ(shot.at(cellX(0) + 8, cellY(0) + 8), brickArt);
    EXPECT_TRUE(lavaShown(shot.at(cellX(1) + 8, cellY(0) + 8)));
    // The object: its colour in a 1-pixel black frame.
    EXPECT_EQ(shot.at(cellX(2), cellY(0)), black);
    EXPECT_EQ(shot.at(cellX(2) + 15, cellY(0) + 8), black);
    EXPECT_EQ(shot.at(cellX(2) + 1, cellY(0) + 1), 0x3366CCu);
    EXPECT_EQ(shot.at(cellX(3) + 8, cellY(0) + 8), 0x55AAAAu); // walk behind
    // The stray: magenta top-left and bottom-right, black at the other two.
    EXPECT_EQ(shot.at(cellX(0) + 3, cellY(1) + 3), magenta);
    EXPECT_EQ(shot.at(cellX(0) + 12, cellY(1) + 3), black);
    EXPECT_EQ(shot.at(cellX(0) + 3, cellY(1) + 12), black);
    EXPECT_EQ(shot.at(cellX(0) + 12, cellY(1) + 12), magenta);
    EXPECT_EQ(shot.at(cellX(1) + 8, cellY(1) + 8), white); // unpainted: the background
    EXPECT_EQ(shot.at(cellX(2) + 8, cellY(1) + 8), brickArt);
    EXPECT_EQ(shot.at(cellX(3) + 8, cellY(1) + 8), 0x123456u); // walk into
    EXPECT_EQ(shot.at(cellX(4) + 8, cellY(0) + 8), white);     // past the map
    EXPECT_EQ(shot.at(5, 720), white); // the overlay would hide the map's area

    viewer.press({"p"});
    shot = viewer.waitFor(pixelIs(8, 40, brickMarker));
    EXPECT_EQ(shot.at(cellX(0) + 8, cellY(0) + 8), brickMarker);
    EXPECT_EQ(shot.at(cellX(1) + 8, cellY(0) + 8), 0xAA2200u);
    EXPECT_EQ(shot.at(cellX(2), cellY(0)), 0x3366CCu); // no frame
    EXPECT_EQ(shot.at(cellX(0) + 3, cellY(1) + 3), 0x010203u);
    EXPECT_EQ(shot.at(cellX(1) + 8, cellY(1) + 8), white);
    // The page keys do nothing here; t goes back to the textures page as it was.
    viewer.press({"p", "2", "Next", "t"});
    shot = viewer.waitFor(captionOf(9));
    EXPECT_EQ(shot.at(3, 29), brickMarker); // page 1's first row, the brick's swatch
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

// An opaque colour drawn at half opacity (128 of 255) over an opaque one, as the blending of
// the GL renders it: within one step of each channel's exact value.
Sight halfOver(int x, int y, uint32_t top, uint32_t under) {
    return {"#" + std::to_string(top) + " at half opacity over #" + std::to_string(under) + " at " +
                std::to_string(x) + "," + std::to_string(y),
            [=](const Screenshot& shot) {
                for (int shift = 0; shift < 24; shift += 8) {
                    const int exact =
                        int(((top >> shift) & 0xFF) * 128 + ((under >> shift) & 0xFF) * 127 + 127) /
                        255;
                    if (std::abs(int((shot.at(x, y) >> shift) & 0xFF) - exact) > 1)
                        return false;
                }
                return true;
            }};
}

TEST_F(ViewerMap, LDrawsThePaintedColoursAtHalfOpacityOverTheArtAndChangesNothingUnderP) {
    ViewerRun& viewer = startOnMap();
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 1, 33));
    viewer.waitFor(statusOf(30));
    viewer.press({"l"});
    // Cell by cell at 16 pixels a cell: the brick, the object's frame and the stray's
    // checkerboard under their painted colours; a colour painted over itself stays as it is,
    // and an unpainted cell shows nothing.
    Screenshot shot = viewer.waitFor(halfOver(8, 40, brickMarker, brickArt));
    EXPECT_TRUE(halfOver(cellX(2), cellY(0), 0x3366CC, black).shown(shot));
    EXPECT_EQ(shot.at(cellX(2) + 8, cellY(0) + 8), 0x3366CCu);
    EXPECT_TRUE(halfOver(cellX(0) + 3, cellY(1) + 3, 0x010203, magenta).shown(shot));
    EXPECT_TRUE(halfOver(cellX(0) + 12, cellY(1) + 3, 0x010203, black).shown(shot));
    EXPECT_EQ(shot.at(cellX(3) + 8, cellY(0) + 8), 0x55AAAAu);
    EXPECT_EQ(shot.at(cellX(1) + 8, cellY(1) + 8), white);
    // With p on, the painted colours alone, as without l.
    viewer.press({"p"});
    shot = viewer.waitFor(pixelIs(8, 40, brickMarker));
    EXPECT_EQ(shot.at(cellX(2), cellY(0)), 0x3366CCu);
    EXPECT_EQ(shot.at(cellX(0) + 3, cellY(1) + 3), 0x010203u);
    viewer.press({"p"});
    viewer.waitFor(halfOver(8, 40, brickMarker, brickArt));
    // Drawn from the picture, at 4 pixels a cell and at 2 (each known by where the object's
    // cell, painted over with its own colour, now lies), the same over the art's colours.
    viewer.press({"minus"});
    viewer.waitFor(pixelIs(cellX(2, 8) + 4, cellY(0, 8) + 4, 0x3366CC));
    viewer.press({"minus"});
    shot = viewer.waitFor(pixelIs(cellX(2, 4) + 1, cellY(0, 4) + 1, 0x3366CC));
    EXPECT_TRUE(halfOver(1, 33, brickMarker, brickArt).shown(shot));
    EXPECT_TRUE(halfOver(1, 37, 0x010203, magenta).shown(shot));
    EXPECT_TRUE(halfOver(3, 37, 0x010203, black).shown(shot));
    viewer.press({"minus"});
    shot = viewer.waitFor(pixelIs(cellX(2, 2), cellY(0, 2), 0x3366CC));
    EXPECT_TRUE(halfOver(0, 32, brickMarker, brickArt).shown(shot));
    EXPECT_TRUE(halfOver(0, 34, 0x010203, magenta).shown(shot));
    // l again: the art alone.
    viewer.press({"l"});
    shot = viewer.waitFor(pixelIs(0, 32, brickArt));
    EXPECT_EQ(shot.at(0, 34), magenta);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerMap, WithoutAMapTheViewSaysWhereToPutOneAndAnUnreadableMapIsNamed) {
    addCollisionSwatches();
    {
        ViewerRun& viewer = start();
        viewer.press({"m"});
        const Screenshot shot =
            viewer.waitFor(statusOf(36));             // no map: put a painted PNG in levels/
        EXPECT_EQ(captionWidth(shot), labelWidth(9)); // MAP: none
        // Too long for one line at this width, the advice goes on two.
        EXPECT_EQ(barWidth(shot, 0, 35), labelWidth(18)); // or give --map FILE
        EXPECT_EQ(viewer.quit(), 0);
    }
    level.writeText("levels/torn.png", "\x89PNG\r\n\x1a\nthis is no image");
    const struct {
        std::vector<std::string> arguments;
        int caption;
        std::string lines;
    } unreadable[] = {
        {{},
         20,
         "libpng error: *\nUnable to read map levels/torn.png : *\n"}, // MAP: levels/torn.png
        {{"--map", "missing.png"},
         16,
         "Unable to read map missing.png : Couldn't open missing.png\n"}, // MAP: missing.png
    };
    for (const auto& c : unreadable) {
        SCOPED_TRACE(c.lines);
        ViewerRun& viewer = start(c.arguments);
        viewer.press({"m"});
        const Screenshot shot = viewer.waitFor(statusOf(14)); // cannot be read
        EXPECT_EQ(captionWidth(shot), labelWidth(c.caption));
        EXPECT_EQ(viewer.quit(), 0);
        expectLinesMatch(viewer.standardError(), c.lines);
    }
}

TEST_F(ViewerMap, PlusAndMinusZoomAboutThePointerHomeFitsTheArrowsAndADragPan) {
    ViewerRun& viewer = startOnMap();
    // With the pointer at (1, 33), the point under it stays: cell 0 reaches from -1 to 30.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 1, 33));
    viewer.waitFor(statusOf(30));
    viewer.press({"plus"});
    Screenshot shot = viewer.waitFor(pixelIs(24, 44, brickArt));
    EXPECT_TRUE(lavaShown(shot.at(40, 44)));
    // Out to 8 pixels a cell: the frame and the checkerboard still show. Each press waits for
    // the one before: the X server would take two presses of one key at once for a held key.
    viewer.press({"minus"});
    viewer.waitFor(pixelIs(40, 40, 0x3366CC));
    viewer.press({"KP_Subtract"});
    shot = viewer.waitFor(pixelIs(20, 36, 0x3366CC));
    EXPECT_EQ(shot.at(4, 36), brickArt);
    EXPECT_EQ(shot.at(16, 32), black);
    EXPECT_EQ(shot.at(1, 41), magenta);
    EXPECT_EQ(shot.at(6, 41), black);
    // At 2 pixels a cell: the texture's average colour, the stray plain magenta, no frame.
    viewer.press({"minus"});
    // At 4 pixels a cell the object has no frame.
    viewer.waitFor(pixelIs(8, 32, 0x3366CC));
    viewer.press({"minus"});
    shot = viewer.waitFor(pixelIs(0, 34, magenta));
    EXPECT_EQ(shot.at(0, 32), brickArt);
    EXPECT_EQ(shot.at(1, 35), magenta);
    EXPECT_EQ(shot.at(2, 32), 0xFF0000u); // lava's first frame
    EXPECT_EQ(shot.at(4, 32), 0x3366CCu);
    EXPECT_EQ(shot.at(8, 32), white);
    // Home fits the map: 64 pixels a cell, the corner at the area's.
    viewer.press({"Home"});
    shot = viewer.waitFor(pixelIs(130, 40, 0x3366CC));
    EXPECT_EQ(shot.at(32, 64), brickArt);
    EXPECT_EQ(shot.at(128, 32), black);
    EXPECT_EQ(shot.at(160, 150), brickArt); // row 1, column 2
    // Left moves the view a quarter of the area (75 pixels) to the left, the map to the right.
    viewer.press({"Left"});
    shot = viewer.waitFor(pixelIs(80, 40, brickArt));
    EXPECT_EQ(shot.at(8, 40), white);
    viewer.press({"Right"});
    viewer.waitFor(pixelIs(8, 40, brickArt));
    // A drag moves the map with the pointer, and is no click: the brick from 50 to 113.
    ASSERT_TRUE(viewer.driver().drag(viewer.window(), 8, 40, 58, 50));
    shot = viewer.waitFor(pixelIs(45, 45, white));
    EXPECT_EQ(shot.at(110, 45), brickArt);
    EXPECT_TRUE(mapShown.shown(shot));
    // The wheel zooms too, below the map: 32 pixels a cell.
    ASSERT_TRUE(viewer.driver().turnWheel(viewer.window(), 5));
    viewer.waitFor(statusOf(23)); // 4x2, 1 stray pixel, x32
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerMap, OffTheMapTheZoomKeysZoomAboutTheAreasCentreAndNoMoveLosesTheMap) {
    ViewerRun& viewer = startOnMap();
    // In the area, off the map's cells: out to 8 pixels a cell about the area's centre
    // (150, 384 in the area), which puts the map's corner at (75, 192 + 32).
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 250, 600));
    viewer.waitFor(statusOf(23));
    viewer.press({"minus"});
    Screenshot shot = viewer.waitFor(pixelIs(79, 228, brickArt));
    EXPECT_EQ(shot.at(4, 36), white);
    // Left moves the map 75 pixels right, until its right edge meets the area's: a map smaller
    // than half the area stays whole in view.
    viewer.press({"Left"});
    viewer.waitFor(pixelIs(154, 228, brickArt));
    viewer.press({"Left"});
    viewer.waitFor(pixelIs(229, 228, brickArt));
    viewer.press({"Left"});
    viewer.waitFor(pixelIs(272, 228, brickArt));
    viewer.press({"Left"});
    shot = afterLavaPlays(viewer, 278, 228);
    EXPECT_EQ(shot.at(272, 228), brickArt);
    EXPECT_EQ(shot.at(299, 228), 0x55AAAAu); // the last column, walk behind, at the edge
    // In three steps about the centre, clamped at each: the map's left edge stops at the
    // area's middle once it is wider than half the area.
    viewer.press({"plus"});
    viewer.waitFor(pixelIs(240, 36, brickArt));
    viewer.press({"plus"});
    viewer.waitFor(pixelIs(176, 36, brickArt));
    viewer.press({"plus"});
    viewer.waitFor(pixelIs(154, 36, brickArt));
    shot = afterLavaPlays(viewer, 230, 40);
    EXPECT_EQ(shot.at(150, 36), brickArt);
    EXPECT_EQ(shot.at(149, 36), white);
    EXPECT_EQ(shot.at(280, 100), brickArt); // row 1, column 2
    EXPECT_EQ(shot.at(213, 159), magenta);  // the stray's bottom-right square, row 1, column 0
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerMap, ArtLargerThanItsCellIsReducedAlikeInEveryCellAndArtThatFitsStaysSharp) {
    level.copyGolden("map");
    // A 640 by 480 background in one-pixel columns of black and white, which sampled
    // nearest-neighbour shows as stripes or either colour by where its cell lies; and an 8 by
    // 8 checkerboard of one-pixel squares.
    std::vector<uint32_t> stripes(640 * 480), checker(64);
    for (size_t i = 0; i < stripes.size(); ++i)
        stripes[i] = i % 2 ? 0xFFFFFFFFu : 0xFF000000u;
    for (size_t i = 0; i < checker.size(); ++i)
        checker[i] = (i % 8 + i / 8) % 2 ? 0xFFFFFFFFu : 0xFF000000u;
    ASSERT_TRUE(writePng(level.path() + "/textures/stripes.png", 640, 480, stripes));
    level.writeImage("textures/stripes_p.png", 8, 8, 0x207020);
    ASSERT_TRUE(writePng(level.path() + "/textures/checker.png", 8, 8, checker));
    level.writeImage("textures/checker_p.png", 8, 8, 0x702020);
    //   stripes  stripes  stripes  lava (frames keep coming while it plays)
    //   checker  stripes  stripes  stripes
    const uint32_t s = 0xFF207020u, c = 0xFF702020u, lava = 0xFFAA2200u;
    ASSERT_TRUE(writePng(level.path() + "/levels/painted.png", 4, 2, {s, s, s, lava, c, s, s, s}));
    ViewerRun& viewer = start();
    viewer.press({"m"});
    constexpr uint32_t grey = 0x808080;
    // Every pixel of every cell of the background one grey; the checkerboard's squares as
    // blocks of side / 8 pixels, down to 1.
    const auto cellsShown = [&](const Screenshot& shot, int side) {
        for (const int cell : {0, 1, 2, 5, 6, 7}) {
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    if (shot.at(cellX(cell % 4, side) + x, cellY(cell / 4, side) + y) != grey)
                        return false;
                }
            }
        }
        const int square = std::max(1, side / 8);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const uint32_t expected = (x / square + y / square) % 2 ? white : black;
                if (shot.at(cellX(0, side) + x, cellY(1, side) + y) != expected)
                    return false;
            }
        }
        return true;
    };
    viewer.waitFor("the cells at 16 pixels",
                   [&](const Screenshot& shot) { return cellsShown(shot, 16); });
    EXPECT_TRUE(cellsShown(afterLavaPlays(viewer, cellX(3) + 8, cellY(0) + 8), 16));
    // Zoomed out about the map's corner, at 8 pixels a cell and at 4, drawn from the picture.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 1, 33));
    viewer.waitFor("a cell's status line",
                   [](const Screenshot& shot) { return statusWidth(shot) > labelWidth(23); });
    viewer.press({"minus"});
    viewer.waitFor("the cells at 8 pixels",
                   [&](const Screenshot& shot) { return cellsShown(shot, 8); });
    EXPECT_TRUE(cellsShown(afterLavaPlays(viewer, cellX(3, 8) + 4, cellY(0, 8) + 4), 8));
    viewer.press({"minus"});
    const Screenshot shot = viewer.waitFor(pixelIs(12, 32, 0xFF0000u));
    for (int y = 32; y < 40; ++y) {
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(shot.at(x, y), x >= 12 && y < 36 ? 0xFF0000u : grey) << x << "," << y;
    }
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerMap, ASavedMapIsDrawnAgainWithItsViewKept) {
    ViewerRun& viewer = startOnMap();
    // Out to 8 pixels a cell about the map's corner.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 1, 33));
    viewer.waitFor(statusOf(30));
    viewer.press({"minus"});
    viewer.waitFor(pixelIs(20, 36, 0x3366CC));
    // Saved by rename, as editors do: every pixel the hero now.
    ASSERT_TRUE(writePng(level.path() + "/levels/painted.png.part", 4, 2,
                         std::vector<uint32_t>(8, 0xFF3366CCu)));
    ASSERT_EQ(std::rename((level.path() + "/levels/painted.png.part").c_str(),
                          (level.path() + "/levels/painted.png").c_str()),
              0);
    const Screenshot shot = viewer.waitFor(pixelIs(4, 36, 0x3366CC));
    EXPECT_EQ(shot.at(8, 32), black); // still 8 pixels a cell
    EXPECT_EQ(shot.at(28, 44), 0x3366CCu);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
