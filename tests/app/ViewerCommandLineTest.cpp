// The viewer's command line: help, version and usage errors, the window size, and a level
// folder given from elsewhere.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include <SDL_image.h>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST_F(ViewerCommandLine, HelpVersionAndUsageErrorsEndBeforeAnyWindow) {
    const std::string usage =
        "usage: levelcolors [--size WxH] [--map FILE]... [--snap N] [LEVEL_FOLDER]\n";
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out; // the expected start of standard output
        std::string err; // the expected start of standard error
    };
    const Case cases[] = {
        {{"--help"}, 0, usage, ""},
        {{"-h"}, 0, usage, ""},
        {{"--version"}, 0, "levelcolors " LEVELCOLORS_VERSION "\n", ""},
        {{"--frobnicate"}, 2, "", "levelcolors: unknown option --frobnicate\n" + usage},
        {{"a", "b"}, 2, "", "levelcolors: more than one level folder: a and b\n" + usage},
        {{"no such level"},
         2,
         "",
         "levelcolors: cannot open level folder no such level: No such file or directory\n"},
        {{"whiteBG.png"},
         2,
         "",
         "levelcolors: cannot open level folder whiteBG.png: Not a directory\n"},
        // A window size that is malformed or too small.
        {{"--size", "600"},
         2,
         "",
         "levelcolors: --size takes WIDTHxHEIGHT, such as 600x1000: 600\n" + usage},
        {{"--size=600x-1000"},
         2,
         "",
         "levelcolors: --size takes WIDTHxHEIGHT, such as 600x1000: 600x-1000\n" + usage},
        {{"--size"}, 2, "", "levelcolors: --size takes WIDTHxHEIGHT, such as 600x1000\n" + usage},
        {{"--map"}, 2, "", "levelcolors: --map takes a FILE\n" + usage},
        // A snap distance beyond any two colours' or no whole number.
        {{"--snap", "443"},
         2,
         "",
         "levelcolors: --snap takes a whole number from 0 to 442: 443\n" + usage},
        {{"--snap=-1"},
         2,
         "",
         "levelcolors: --snap takes a whole number from 0 to 442: -1\n" + usage},
        {{"--snap"}, 2, "", "levelcolors: --snap takes a whole number from 0 to 442\n" + usage},
        {{"--size", "300x399"},
         2,
         "",
         "levelcolors: --size 300x399 is below the smallest window, 300x400\n" + usage},
        {{"--size", "299x800"},
         2,
         "",
         "levelcolors: --size 299x800 is below the smallest window, 300x400\n" + usage},
        // A new map without its size, with a malformed one, or one that cannot be made.
        {{"--new-map", "new.png"},
         2,
         "",
         "levelcolors: --new-map takes a FILE and its WxH\n" + usage},
        {{"--new-map", "new.png", "16"},
         2,
         "",
         "levelcolors: --new-map takes a size WxH, such as 256x128: 16\n" + usage},
        {{"--new-map", "new.png", "16385x4"},
         2,
         "",
         "levelcolors: cannot make map new.png: 16385x4: more than 16384 pixels a side\n"},
        {{"--new-map", "new.png", "0x4"},
         2,
         "",
         "levelcolors: cannot make map new.png: 0x4: a map needs at least one pixel a side\n"},
        {{"--new-map", "whiteBG.png", "4x4"},
         2,
         "",
         "levelcolors: cannot make map whiteBG.png: already exists\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        std::vector<std::string> argv = {viewerBinary()};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        // No display: reaching SDL would end with status 1 and "Unable to init SDL".
        const TemporaryFolder state;
        TestedProgram viewer(argv, level.path(), viewerEnvironment("", state.path()));
        EXPECT_EQ(viewer.wait(), c.status);
        const std::string out = viewer.standardOutput();
        const std::string err = viewer.standardError();
        EXPECT_EQ(out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(c.out.empty(), out.empty()) << out;
        // A folder that cannot be entered or a map that cannot be made is one line; usage
        // errors add the usage.
        if (c.err.find("levelcolors: cannot") == 0) {
            EXPECT_EQ(err, c.err);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(level.path() + "/new.png")) << "no map was to be made";
}

TEST_F(ViewerCommandLine, SizeOpensTheWindowAtThatSizeWithRowsPerPageScaledToItsHeight) {
    addCollisionSwatches();
    for (int i = 0; i < 30; ++i)
        level.addTexture(numbered("t", i), swatchColour(i), imageColour(i));
    for (int i = 0; i < 50; ++i)
        level.addObject("characters", numbered("o", i), swatchColour(100 + i));
    // The rows of page 1 fill `rows` rows and stop; page 2 starts with the next.
    auto expectRows = [](const Screenshot& shot, int rows, int spacing, int first) {
        for (int row = 0; row < rows; ++row)
            EXPECT_EQ(shot.at(3, rowY(row, spacing) + 3), swatchColour(first + row))
                << "row " << row;
        EXPECT_EQ(shot.at(3, rowY(rows, spacing) + 3), white) << "row " << rows;
    };
    {
        // 600 high: 15 x 600 / 800 = 11 textures rows, 40 x 600 / 800 = 30 objects rows.
        ViewerRun& viewer = start({"--size", "400x600"});
        EXPECT_EQ(viewer.driver().windowSize(viewer.window()), std::make_pair(400, 600));
        Screenshot shot = viewer.screenshot();
        ASSERT_EQ(shot.width, 400);
        EXPECT_EQ(shot.at(5, 520), LevelFolder::overlayTopLeft);
        expectRows(shot, 11, 32, 0);
        viewer.press({"2"});
        viewer.waitFor(pixelIs(3, 29, swatchColour(11)));
        viewer.press({"1", "o"});
        shot = viewer.waitFor(captionOf(8));
        expectRows(shot, 30, 13, 100);
        // The label has the width of the window: "characters/oNN.txt" whole.
        EXPECT_EQ(barWidth(shot, 10, rowY(0, 13) + 4), labelWidth(18));
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardError(), "");
    }
    {
        // Beyond the 400 by 900 display: reduced to it, with one line; 16 textures rows.
        ViewerRun& viewer = start({"--size=500x1000"});
        EXPECT_EQ(viewer.driver().windowSize(viewer.window()), std::make_pair(400, 900));
        expectRows(viewer.screenshot(), 16, 32, 0);
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardError(), "The window of 500x1000 does not fit the display of "
                                          "400x900; it opens at 400x900\n");
    }
}

TEST_F(ViewerCommandLine, ALevelGivenFromAnotherFolderIsReadWithTheBundledFontsAndPictures) {
    // The level carries none of the four files, so they come from the source tree's demo
    // level (the viewer runs from the build folder); the folder it starts in has the block
    // fonts and a texture of its own, which must not be read.
    LevelFolder elsewhere;
    elsewhere.addTexture("t00", swatchColour(5), imageColour(5));
    const std::string name = "Level \xC3\xA4 1"; // a space and a two-byte character
    // The case's level, moved there whole.
    removeDecorations(level);
    addCollisionSwatches();
    level.addTexture("t00", swatchColour(0), imageColour(0));
    ASSERT_EQ(rename(level.path().c_str(), (elsewhere.path() + "/" + name).c_str()), 0);
    ViewerRun viewer(elsewhere.path(), {name});
    const Screenshot shot = viewer.screenshot();
    EXPECT_EQ(shot.at(3, rowY(0, 32) + 3), swatchColour(0));
    EXPECT_EQ(shot.at(12, rowY(0, 32) + 3), imageColour(0));
    EXPECT_TRUE(captionHasGlyphs(shot));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerCommandLine, NewMapMakesATransparentMapAndOpensItInEditModeButNeverOverAFile) {
    addCollisionSwatches();
    level.addTexture("t00", swatchColour(0), imageColour(0));
    std::filesystem::create_directories(level.path() + "/levels");
    const std::string map = level.path() + "/levels/new.png";
    {
        ViewerRun& viewer = start({"--new-map", "levels/new.png", "5x3"});
        // The caption "EDIT: levels/new.png", no edits yet: Escape quits without asking.
        viewer.waitFor(captionOf(20));
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardError(), "");
    }
    SDL_Surface* image = IMG_Load(map.c_str());
    ASSERT_NE(image, nullptr) << IMG_GetError();
    EXPECT_EQ(image->w, 5);
    EXPECT_EQ(image->h, 3);
    ASSERT_EQ(image->format->BytesPerPixel, 4);
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x) {
            const auto* row = static_cast<const uint8_t*>(image->pixels) + y * image->pitch;
            EXPECT_EQ(reinterpret_cast<const uint32_t*>(row)[x] & image->format->Amask, 0u)
                << x << "," << y;
        }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);

    // The same line again finds the map there and leaves it be.
    const auto written = std::filesystem::last_write_time(map);
    TestedProgram again({viewerBinary(), "--new-map", "levels/new.png", "9x9"}, level.path(),
                        viewerEnvironment("", state.path()));
    EXPECT_EQ(again.wait(), 2);
    EXPECT_EQ(again.standardError(),
              "levelcolors: cannot make map levels/new.png: already exists\n");
    EXPECT_EQ(std::filesystem::last_write_time(map), written);
}

} // namespace
