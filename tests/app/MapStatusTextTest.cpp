// The map view's caption and status line as text: what they say and how they fit the line.

#include "app/MapStatusText.h"

#include <gtest/gtest.h>

namespace {

TEST(MapStatusText, TheSummarySaysTheSizeTheStraysAndTheZoom) {
    struct Case {
        int width, height;
        size_t strays;
        int zoom;
        const char* text;
    };
    const Case cases[] = {
        {40, 30, 0, 4, "40x30, 0 stray pixels, x16"},
        {3, 2, 1, 0, "3x2, 1 stray pixel, x1"},
        {1024, 1024, 1049, -3, "1024x1024, 1049 stray pixels, x1/8"},
        {7, 1, 2, 6, "7x1, 2 stray pixels, x64"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mapSummary(c.width, c.height, c.strays, c.zoom), c.text);
}

TEST(MapStatusText, TheLinesFitTheWindowsWidth) {
    EXPECT_EQ(mapLineRoom(300), 42u); // the default window
    EXPECT_EQ(mapLineRoom(8), 1u);
    EXPECT_EQ(mapLineRoom(1), 0u);
    EXPECT_EQ(mapLineRoom(0), 0u);

    const std::string path = "levels/the-castle-grounds-by-night.png";
    EXPECT_EQ(mapCaption(nullptr, 42), "MAP: none");
    EXPECT_EQ(mapCaption(&path, 43), "MAP: levels/the-castle-grounds-by-night.png");
    EXPECT_EQ(mapCaption(&path, 42), "MAP: le.../the-castle-grounds-by-night.png");
    EXPECT_EQ(mapCaption(&path, 30), "MAP: ...e-grounds-by-night.png");

    // The advice without a map wraps before " or give" when it does not fit; nothing else wraps.
    using Lines = std::vector<std::string>;
    EXPECT_EQ(mapStatusLines(noMapText, 42),
              (Lines{"no map: put a painted PNG in levels/", "or give --map FILE"}));
    EXPECT_EQ(mapStatusLines(noMapText, 80), Lines{noMapText});
    EXPECT_EQ(mapStatusLines("1024x1024, 1049 stray pixels, x1/8", 10),
              Lines{"1024x1024, 1049 stray pixels, x1/8"});
}

TEST(MapStatusText, TheHoverNamesTheCellsColourAndWhatItStandsFor) {
    struct Case {
        const char* what;
        const char* object;
        size_t room;
        const char* text;
    };
    const Case cases[] = {
        {"textures/brick.png", "", 42, "3,4 #10ABCD textures/brick.png"},
        {"walk behind", "", 42, "3,4 #10ABCD walk behind"},
        {"textures/a-long-folder/brick_wall_01.png", "", 42,
         "3,4 #10ABCD textures/.../brick_wall_01.png"},
        // A texture and an object of one colour: both fit whole.
        {"textures/b.png", "entities/b.txt", 60, "3,4 #10ABCD textures/b.png and entities/b.txt"},
        // The short one whole, the other in what remains.
        {"textures/b.png", "entities/a-very-long-name.txt", 50,
         "3,4 #10ABCD textures/b.png and ...ry-long-name.txt"},
        {"textures/a-very-long-name.png", "entities/b.txt", 50,
         "3,4 #10ABCD ...ry-long-name.png and entities/b.txt"},
        // Neither fits in half: each in half.
        {"textures/a-very-long-name.png", "entities/a-very-long-name.txt", 50,
         "3,4 #10ABCD ...long-name.png and ...-long-name.txt"},
        {"textures/b.png", "entities/a-very-long-name.txt", 42,
         "3,4 #10ABCD tex.../b.png and ...g-name.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellHover(3, 4, 0xFF10ABCDu, c.what, c.object, c.room), c.text) << c.what;

    // A stray names the marker it was meant to be, by the stray rule, or says there is none.
    const Meant near{Meant::Near, 0xFF10ABCDu, 0};
    const Meant blend{Meant::Blend, 0xFF10ABCDu, 0xFFFFFF00u};
    EXPECT_EQ(strayHover(0, 12, 0xFF12ABCDu, near, "textures/brick.png", 12, 80),
              "0,12 #12ABCD no marker, meant #10ABCD (textures/brick.png)");
    EXPECT_EQ(strayHover(0, 12, 0xFF12ABCDu, near, "levels/walkbehind_p.png", 12, 47),
              "0,12 #12ABCD no marker, meant #10ABCD (....png)");
    EXPECT_EQ(strayHover(0, 12, 0xFF12ABCDu, blend, "levels/walkbehind_p.png", 12, 47),
              "0,12 #12ABCD blend, meant #10ABCD (...nd_p.png)");
    EXPECT_EQ(strayHover(0, 12, 0xFF12ABCDu, Meant{}, "", 7, 42),
              "0,12 #12ABCD no marker within 7");
}

} // namespace

TEST(MapStatusText, EditingTheCaptionSaysEditAndUnsavedEditsAStarKeptWhateverThePath) {
    const std::string path = "levels/the-castle-grounds-by-night.png";
    EXPECT_EQ(mapCaption(&path, 44, true), "EDIT: levels/the-castle-grounds-by-night.png");
    EXPECT_EQ(mapCaption(&path, 46, false, true), "MAP: levels/the-castle-grounds-by-night.png *");
    EXPECT_EQ(mapCaption(&path, 42, true, true), "EDIT: ...the-castle-grounds-by-night.png *");
    EXPECT_EQ(mapCaption(nullptr, 42, true), "EDIT: none");
}

TEST(MapStatusText, TheBrushIsItsColourAndWhatItIsOrTheAdviceToPickOne) {
    EXPECT_EQ(brushText(std::nullopt, "", 42), "right click a cell or a row to pick");
    EXPECT_EQ(brushText(0xFF10ABCDu, "textures/brick.png", 42), "#10ABCD textures/brick.png");
    EXPECT_EQ(brushText(0u, "empty", 42), "#000000 empty");
    // 300 pixels hold 42 characters: a long name is shortened, the colour never.
    EXPECT_EQ(brushText(0xFF10ABCDu, "textures/walls/the-castle-grounds-by-night.png", 42),
              "#10ABCD ...the-castle-grounds-by-night.png");
}
