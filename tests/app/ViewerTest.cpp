// The real viewer in real level folders: keys pressed with xdotool, pixels read from
// screenshots of its window, exit status and standard error checked.

#include "pngwriter/PngWriter.h"
#include "tests/app/LevelFolder.h"
#include "tests/app/ViewerRun.h"
#include "tests/support/Paths.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fnmatch.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t black = 0x000000;

// The test fonts draw every glyph as a full 8 by 16 block, 7 pixels apart: a label of n
// characters is a black bar 7n + 1 pixels wide.
int labelWidth(int characters) {
    return 7 * characters + 1;
}

// The length of the black run that starts at (x, y).
int barWidth(const Screenshot& shot, int x, int y) {
    int width = 0;
    while (x + width < shot.width && shot.at(x + width, y) == black)
        ++width;
    return width;
}

// Captions sit at y 13, so their glyphs cover rows 0 to 14.
int captionWidth(const Screenshot& shot) {
    return barWidth(shot, 0, 5);
}

int rowY(int row, int spacing) {
    return 26 + row * spacing;
}

// Distinct colours for generated files.
uint32_t swatchColour(int i) {
    return 0x100000u * uint32_t(1 + i % 15) + 0x0101u * uint32_t(i);
}
uint32_t imageColour(int i) {
    return 0x0000F0u + 0x010100u * uint32_t(3 * i + 7);
}

std::string numbered(const char* stem, int i) {
    return stem + std::string(i < 10 ? "0" : "") + std::to_string(i);
}

// The four files the viewer brings itself when a level lacks them.
void removeDecorations(const LevelFolder& level) {
    for (const char* file :
         {"fonts/smallFont.png", "fonts/bigFont.png", "whiteBG.png", "scramble.png"})
        std::remove((level.path() + "/" + file).c_str());
}

// Drawn with the bundled font, the textures caption is glyphs, ink beside background in its
// box; the test fonts, or no font at all, make it one black bar.
bool captionHasGlyphs(const Screenshot& shot) {
    int ink = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < labelWidth(9); ++x)
            ink += shot.at(x, y) == black;
    }
    return ink > 0 && ink < labelWidth(9) * 15 / 2;
}

// Each line of `text` against the line of `patterns` in the same place, "*" matching any text.
void expectLinesMatch(const std::string& text, const std::string& patterns) {
    SCOPED_TRACE("the whole text:\n" + text);
    std::istringstream lines(text), expected(patterns);
    std::string line, pattern;
    while (std::getline(expected, pattern)) {
        ASSERT_TRUE(std::getline(lines, line)) << "missing: " << pattern;
        EXPECT_EQ(fnmatch(pattern.c_str(), line.c_str(), 0), 0) << line << "\n  vs " << pattern;
    }
    EXPECT_FALSE(std::getline(lines, line)) << "extra: " << line;
}

void addCollisionSwatches(LevelFolder& level, uint32_t behind, uint32_t into) {
    level.writeImage("levels/walkbehind_p.png", 8, 8, behind);
    level.writeImage("levels/walkinto_p.png", 8, 8, into);
}

TEST(ViewerWindow, OpensItsWindowDrawsTheOverlayAndEndsOnEscape) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    ViewerRun viewer(level.path());

    EXPECT_EQ(viewer.driver().windowName(viewer.window()), ViewerRun::title);
    EXPECT_EQ(viewer.driver().windowSize(viewer.window()), std::make_pair(300, 800));
    const Screenshot shot = viewer.screenshot();
    ASSERT_EQ(shot.width, 300);
    ASSERT_EQ(shot.height, 800);
    // The overlay lies at (5, 720), 51 by 81: its row 79 is the window's last.
    EXPECT_EQ(shot.at(5, 720), LevelFolder::overlayTopLeft);
    EXPECT_EQ(shot.at(55, 799), LevelFolder::overlayBottomRight);
    EXPECT_EQ(shot.at(6, 721), 0x808080u);
    EXPECT_EQ(shot.at(4, 720), white);
    EXPECT_EQ(shot.at(5, 719), white);
    EXPECT_EQ(shot.at(56, 760), white);
    // An empty level shows the textures page's caption only.
    EXPECT_EQ(captionWidth(shot), labelWidth(9)); // "TEXTURES:"
    EXPECT_EQ(shot.at(3, rowY(0, 32) + 3), white);

    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardOutput(), "");
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerWindow, StartUpFailuresPrintOneLineAndEndWithStatusOne) {
    LevelFolder level;
    {
        TestedProgram viewer({viewerBinary()}, level.path(), {{"SDL_VIDEODRIVER", "dummy"}});
        EXPECT_EQ(viewer.wait(), 1);
        const std::string out = viewer.standardOutput();
        EXPECT_EQ(out.rfind("Unable to dynamically open GL lib : ", 0), 0u) << out;
        EXPECT_GT(out.size(), std::string("Unable to dynamically open GL lib : \n").size());
        EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    }
    {
        TestedProgram viewer({viewerBinary()}, level.path(),
                             {{"SDL_VIDEODRIVER", "x11"}, {"DISPLAY", ""}});
        EXPECT_EQ(viewer.wait(), 1);
        const std::string out = viewer.standardOutput();
        EXPECT_EQ(out.rfind("Unable to init SDL : ", 0), 0u) << out;
        EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    }
}

TEST(ViewerWindow, WithoutADisplayItEndsAtOnceWithOneLine) {
    // Before, SDL fell back to a driver without a window and the viewer ran for ever: any
    // bound tells the two apart.
    LevelFolder level;
    TestedProgram viewer({viewerBinary()}, level.path(),
                         {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""}});
    EXPECT_EQ(viewer.wait(60), 1);
    const std::string out = viewer.standardOutput();
    EXPECT_EQ(out.rfind("Unable to init SDL : ", 0), 0u) << out;
    EXPECT_GT(out.size(), std::string("Unable to init SDL : \n").size()) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
}

TEST(ViewerWindow, TheBinaryDoesNotLinkOpenGL) {
    std::string dynamic;
    ASSERT_EQ(runCommand({"readelf", "-d", viewerBinary()}, &dynamic), 0);
    EXPECT_NE(dynamic.find("libSDL"), std::string::npos) << dynamic;
    EXPECT_EQ(dynamic.find("libGL"), std::string::npos) << dynamic;
    EXPECT_EQ(dynamic.find("libOpenGL"), std::string::npos) << dynamic;
}

TEST(ViewerPages, TexturesPageShowsFifteenRowsAPageInNameOrder) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    // Written in reverse so that only the listing's order can put them in name order.
    for (int i = 19; i >= 0; --i)
        level.addTexture(numbered("t", i), swatchColour(i), imageColour(i));
    ViewerRun viewer(level.path());

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
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(15); });
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(shot.at(3, rowY(row, 32) + 3), swatchColour(15 + row));
        EXPECT_EQ(shot.at(12, rowY(row, 32) + 3), imageColour(15 + row));
    }
    EXPECT_EQ(shot.at(3, rowY(5, 32) + 3), white);

    viewer.press({"3"}); // page 2 starts past the end: the caption only
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == white; });
    EXPECT_EQ(shot.at(12, 29), white);
    EXPECT_EQ(captionWidth(shot), labelWidth(9));

    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, ObjectsArePagedOnTheirOwnAfterTheTextures) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    for (int i = 0; i < 10; ++i)
        level.addTexture(numbered("t", i), swatchColour(i), imageColour(i));
    for (int i = 0; i < 50; ++i)
        level.addObject("characters", numbered("o", i), swatchColour(100 + i));
    ViewerRun viewer(level.path());

    viewer.press({"o"});
    Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    EXPECT_EQ(captionWidth(shot), labelWidth(8)); // "OBJECTS:"
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
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(140); });
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(shot.at(3, rowY(row, 13) + 3), swatchColour(140 + row)) << "row " << row;
    EXPECT_EQ(shot.at(3, rowY(10, 13) + 3), white);

    // Switching the view keeps the page: textures page 1 is past the ten textures.
    viewer.press({"t"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(9); });
    EXPECT_EQ(shot.at(3, 29), white);
    viewer.press({"1"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(0); });
    EXPECT_EQ(shot.at(12, 29), imageColour(0));

    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, EveryPageKeyPicksItsPage) {
    // One object per page of the objects view: the object at entry 40 * p is on page p alone.
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    for (int i = 0; i < 22 * 40; ++i)
        level.addObject("events", "e" + std::to_string(1000 + i), swatchColour(200 + i));
    ViewerRun viewer(level.path());
    viewer.press({"o"});
    const std::vector<std::string> keys = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "q",
                                           "w", "e", "r", "a", "s", "d", "f", "z", "x", "c", "v"};
    for (int page = 21; page >= 0; --page) {
        viewer.press({keys[size_t(page)]});
        const uint32_t expected = swatchColour(200 + 40 * page);
        const Screenshot shot =
            viewer.waitFor([&](const Screenshot& s) { return s.at(3, 29) == expected; });
        EXPECT_EQ(shot.at(3, 29), expected) << "key " << keys[size_t(page)];
    }
    // Shifted letters are the same keys; keypad digits and other keys change nothing.
    viewer.press({"shift+q"});
    Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(600); });
    EXPECT_EQ(shot.at(3, 29), swatchColour(600));
    // The textures view after them shows that they all arrived; back in the objects view,
    // the page is still the one picked before.
    viewer.press({"KP_1", "n", "space", "Return", "p", "t"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(9); });
    ASSERT_EQ(captionWidth(shot), labelWidth(9));
    viewer.press({"o"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    EXPECT_EQ(shot.at(3, 29), swatchColour(600));
    // The last of several keys in one frame wins.
    viewer.press({"4", "5", "1"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(200); });
    EXPECT_EQ(shot.at(3, 29), swatchColour(200));
    EXPECT_EQ(viewer.quit(), 0);
}

TEST(ViewerPages, CollisionPageShowsTheSwatchesThatCarryTheCollisionColours) {
    LevelFolder level;
    level.copyGolden("collision");
    ViewerRun viewer(level.path());
    viewer.press({"y"});
    Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(17); });
    EXPECT_EQ(captionWidth(shot), labelWidth(17)); // "COLLISION COLORS:"
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
    Screenshot objects =
        viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    ASSERT_EQ(captionWidth(objects), labelWidth(8)); // "OBJECTS:"
    EXPECT_EQ(objects.at(3, 29), white);
    viewer.press({"y"});
    const Screenshot after =
        viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(17); });
    EXPECT_EQ(after.pixels, shot.pixels);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, AColourListedTwiceGetsARowForEachEntry) {
    LevelFolder level;
    level.copyGolden("duplicates");
    ViewerRun viewer(level.path());
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
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(shot.at(3, rowY(row, 13) + 3), rock);
        EXPECT_EQ(barWidth(shot, 10, rowY(row, 13) + 4), labelWidth(20)); // entities/boulder.txt
    }
    EXPECT_EQ(shot.at(3, rowY(2, 13) + 3), white);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, TexturesAnimateOnlyWhileTheirRowIsShown) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    for (int i = 0; i < 14; ++i)
        level.addTexture(numbered("a", i), swatchColour(i), imageColour(i));
    level.writeImage("textures/frames/red.png", 16, 16, 0xFF0000);
    level.writeImage("textures/frames/green.png", 16, 16, 0x00FF00);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    // Clocks that loop, green then blue for 45 frames each: entry 14 (page 1's last row) and
    // entry 16 (page 2's second row).
    const std::string clock = "(animated (loop)\n"
                              " (sprite (filename textures/frames/green.png) (time 45))\n"
                              " (sprite (filename textures/frames/blue.png) (time 45)))\n";
    level.writeText("textures/clock.txt", clock);
    level.writeImage("textures/clock_p.png", 8, 8, 0x00AA01);
    level.writeText("textures/zzclock.txt", clock);
    level.writeImage("textures/zzclock_p.png", 8, 8, 0x00AA02);
    // Entry 15, page 2's first row: red for 50 frames, then blue, where it rests.
    level.writeText("textures/zz.txt",
                    "(animated\n"
                    " (sprite (filename textures/frames/red.png) (time 50))\n"
                    " (sprite (filename textures/frames/blue.png) (time 10)))\n");
    level.writeImage("textures/zz_p.png", 8, 8, 0x00AA00);
    ViewerRun viewer(level.path());
    // A clock's pixel at row `row` has gone green, blue and green again: over 90 frames drawn.
    auto fullTurn = [&viewer](int row) {
        const int y = rowY(row, 32) + 3;
        for (const uint32_t colour : {0x00FF00u, 0x0000FFu, 0x00FF00u}) {
            const Screenshot shot =
                viewer.waitFor([&](const Screenshot& s) { return s.at(12, y) == colour; });
            ASSERT_EQ(shot.at(12, y), colour) << "row " << row;
        }
    };

    fullTurn(14);
    // That the animation on page 2 has not moved meanwhile is PagesTest's to show: a screenshot
    // may come any number of frames after the page.
    viewer.press({"2"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == 0x00AA00; });
    EXPECT_EQ(shot.at(3, 29), 0x00AA00u);
    // Shown, it moves on to its second frame and rests there while the clock beside it turns.
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(12, 29) == 0x0000FF; });
    EXPECT_EQ(shot.at(12, 29), 0x0000FFu);
    fullTurn(1);
    EXPECT_EQ(viewer.screenshot().at(12, 29), 0x0000FFu);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

// The label of n characters that ends at the window's right edge, on the caption line.
bool pageNumberShown(const Screenshot& shot, int characters) {
    return barWidth(shot, 300 - labelWidth(characters), 5) == labelWidth(characters);
}

TEST(ViewerBrowsing, PageKeysHomeEndAndTheWheelReachEveryTexturesPage) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    // 500 textures: pages 1 to 34, the last with textures 496 to 500. Past the first page's
    // images they are clocks, green then blue for 40 frames each, that tell how long a page
    // has been shown.
    for (int i = 0; i < 15; ++i)
        level.addTexture("t" + std::to_string(1000 + i), swatchColour(i), 0x808080);
    level.writeImage("textures/frames/green.png", 16, 16, 0x00FF00);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    for (int i = 15; i < 500; ++i) {
        const std::string stem = "textures/u" + std::to_string(1000 + i);
        level.writeText(stem + ".txt",
                        "(animated (loop)\n"
                        " (sprite (filename textures/frames/green.png) (time 40))\n"
                        " (sprite (filename textures/frames/blue.png) (time 40)))\n");
        level.writeImage(stem + "_p.png", 8, 8, swatchColour(i));
    }
    ViewerRun viewer(level.path());
    auto showsPageOf = [&viewer](int texture) {
        return viewer.waitFor(
            [&](const Screenshot& s) { return s.at(3, 29) == swatchColour(texture); });
    };
    // The page of `texture` shows, and still shows once its first clock has gone green, blue
    // and green again: 40 frames of 16 ms or more later, past the delay before a key repeats.
    auto holds = [&viewer](int texture) {
        for (const uint32_t colour : {0x00FF00u, 0x0000FFu, 0x00FF00u}) {
            const Screenshot shot = viewer.waitFor([&](const Screenshot& s) {
                return s.at(3, 29) == swatchColour(texture) && s.at(12, 29) == colour;
            });
            EXPECT_EQ(shot.at(3, 29), swatchColour(texture));
            EXPECT_EQ(shot.at(12, 29), colour);
        }
    };
    EXPECT_EQ(viewer.screenshot().at(3, 29), swatchColour(0));
    // Page Up on the first page stays there, so Page Down then shows the second.
    viewer.press({"Prior", "Next"});
    EXPECT_EQ(showsPageOf(15).at(3, 29), swatchColour(15));
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
    shot = viewer.waitFor([](const Screenshot& s) { return pageNumberShown(s, 13); });
    EXPECT_TRUE(pageNumberShown(shot, 13)); // "page 34 of 34"
    // Page Down on the last page stays there, so Page Up then shows the one before.
    viewer.press({"i", "Next", "Prior"});
    EXPECT_EQ(showsPageOf(480).at(3, 29), swatchColour(480));
    viewer.press({"Home"});
    EXPECT_EQ(showsPageOf(0).at(3, 29), swatchColour(0));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerBrowsing, AViewChangeFromPastThePageKeysAndTheNewViewsEndShowsItsLastPage) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    // 360 textures, pages 1 to 24; 50 objects, pages 1 and 2.
    for (int i = 0; i < 360; ++i)
        level.addTexture("t" + std::to_string(1000 + i), swatchColour(i), 0x808080);
    for (int i = 0; i < 50; ++i)
        level.addObject("characters", "o" + std::to_string(1000 + i), swatchColour(360 + i));
    ViewerRun viewer(level.path());
    auto shows = [&viewer](uint32_t swatch, int pageNumberLength) {
        const Screenshot shot = viewer.waitFor([&](const Screenshot& s) {
            return s.at(3, 29) == swatch && pageNumberShown(s, pageNumberLength);
        });
        EXPECT_EQ(shot.at(3, 29), swatch);
        EXPECT_TRUE(pageNumberShown(shot, pageNumberLength));
        return shot;
    };
    viewer.press({"i", "End"});
    shows(swatchColour(345), 13); // "page 24 of 24"
    // o: the objects' last page, which holds after a second frame (the overlay going off).
    viewer.press({"o"});
    shows(swatchColour(400), 11); // "page 2 of 2"
    viewer.press({"i"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return !pageNumberShown(s, 11); });
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

TEST(ViewerBrowsing, AHeldPageDownMovesOnePageAtEachRepeat) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    // 150 textures: pages 1 to 10.
    for (int i = 0; i < 150; ++i)
        level.addTexture("t" + std::to_string(1000 + i), swatchColour(i), 0x808080);
    ViewerRun viewer(level.path());
    // Page 5 or later, reached while the key is held down once.
    auto pastPageFour = [](const Screenshot& s) {
        for (int page = 4; page < 10; ++page) {
            if (s.at(3, 29) == swatchColour(15 * page))
                return true;
        }
        return false;
    };
    ASSERT_TRUE(viewer.driver().holdKey(viewer.window(), "Next"));
    const Screenshot shot = viewer.waitFor(pastPageFour);
    ASSERT_TRUE(viewer.driver().releaseKey(viewer.window(), "Next"));
    EXPECT_TRUE(pastPageFour(shot));
    // A key that does not repeat acts once however long it is held: Home then goes back.
    viewer.press({"Home"});
    EXPECT_EQ(viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(0); })
                  .at(3, 29),
              swatchColour(0));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

// The width of the bottom line `line` above the overlay, at the default size: 0 the find
// line (glyphs from y 704), 1 and 2 the hover lines above it.
int bottomLineWidth(const Screenshot& shot, int line) {
    return barWidth(shot, 0, 710 - 16 * line);
}

TEST(ViewerFind, TypingFiltersTheViewEnterKeepsItForPagingAndEscapeClearsIt) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    // lava00 to lava19, then rock00 to rock29 (entries 20 to 49), in the listing's order.
    for (int i = 0; i < 20; ++i)
        level.addTexture(numbered("lava", i), swatchColour(i), imageColour(i));
    for (int i = 20; i < 50; ++i)
        level.addTexture(numbered("rock", i - 20), swatchColour(i), imageColour(i));
    ViewerRun viewer(level.path());
    // The move to the window's middle that SDL reports as the window opens, over row 11 here,
    // is no hover: a frame after it (the one that shows the key) has no hover lines.
    viewer.press({"i"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return pageNumberShown(s, 11); });
    EXPECT_EQ(bottomLineWidth(shot, 2), 0);
    viewer.press({"i"});
    const Screenshot before =
        viewer.waitFor([](const Screenshot& s) { return !pageNumberShown(s, 11); });
    // One xdotool call per key: pressed within the same millisecond, a key pressed again
    // soon after itself can reach SDL as a repeat of the first press.
    auto type = [&viewer](const std::vector<std::string>& keys) {
        for (const std::string& key : keys)
            viewer.press({key});
    };
    // Waits for the first row to be `entry` and the find line to be `line` characters long
    // (0: no find line), each step's end, since the steps on the way may show the same row.
    auto shows = [&viewer](int entry, int line) {
        const int width = line ? labelWidth(line) : 0;
        const Screenshot shot = viewer.waitFor([&](const Screenshot& s) {
            return s.at(3, 29) == swatchColour(entry) && bottomLineWidth(s, 0) == width;
        });
        EXPECT_EQ(shot.at(3, 29), swatchColour(entry));
        EXPECT_EQ(bottomLineWidth(shot, 0), width);
        return shot;
    };

    // The keys type, "o" too: the view stays; the rows are those whose path holds "rock". A
    // cursor one glyph wide follows the filter while the line is open.
    type({"slash", "r", "o", "c", "k"});
    shot = shows(20, 16); // "/rock_: 30 of 50"
    EXPECT_EQ(captionWidth(shot), labelWidth(9));
    // Enter keeps the filter and the line; paging runs over the 30 rows.
    viewer.press({"Return", "Next"});
    shot = shows(35, 15);
    EXPECT_EQ(shot.at(3, rowY(14, 32) + 3), swatchColour(49));
    EXPECT_EQ(shot.at(3, rowY(15, 32) + 3), white);
    viewer.press({"Home"});
    shows(20, 15);
    viewer.press({"End"});
    shows(35, 15);
    viewer.press({"1"});
    shows(20, 15);
    // Each view keeps its own filter: the objects view has none.
    viewer.press({"o"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);
    viewer.press({"t"});
    shows(20, 15);

    // `/` opens the line with the kept filter, to refine it. Backspace edits: every row again.
    viewer.press({"slash"});
    shows(20, 16); // "/rock_: 30 of 50"
    type({"2"});
    shows(40, 17); // "/rock2_: 10 of 50"
    type({"BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace"});
    shows(0, 12); // "/_: 50 of 50"
    type({"l", "a", "v", "a", "1"});
    shows(10, 17); // "/lava1_: 10 of 50"
    viewer.press({"BackSpace"});
    shot = shows(0, 16); // "/lava_: 20 of 50"
    EXPECT_EQ(shot.at(3, rowY(14, 32) + 3), swatchColour(14));
    // A colour's hex digits: 0x400303 alone starts with 4003.
    type({"BackSpace", "BackSpace", "BackSpace", "BackSpace", "numbersign", "4", "0", "0", "3"});
    shot = shows(3, 16); // "/#4003_: 1 of 50"
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), white);
    // Escape while typing clears the filter and closes the line; it does not quit.
    viewer.press({"Escape"});
    shot = shows(0, 0);
    EXPECT_EQ(shot.pixels, before.pixels);
    // `/` then Enter on the empty line leaves no filter either.
    viewer.press({"slash", "Return", "2"});
    shows(15, 0);
    // Escape with a kept filter on screen clears it and closes its line, and the viewer goes
    // on (a second frame, the overlay's, shows it); only then does Escape quit.
    type({"slash", "l", "a", "v", "a"});
    viewer.press({"Return"});
    shows(0, 15); // "/lava: 20 of 50"
    viewer.press({"Escape"});
    shows(0, 0);
    viewer.press({"i"});
    shot = viewer.waitFor([](const Screenshot& s) { return pageNumberShown(s, 11); });
    EXPECT_TRUE(pageNumberShown(shot, 11)); // "page 1 of 4"
    EXPECT_EQ(shot.at(3, 29), swatchColour(0));
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerHover, TheRowUnderTheMouseIsNamedOnTwoLinesAboveTheFindLine) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.addTexture("a00", 0x10ABCD, 0xC04020, 24);
    level.writeImage("textures/frames/red.png", 16, 16, 0xFF0000);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    level.writeText("textures/lava.txt",
                    "(animated (loop)\n"
                    " (sprite (filename textures/frames/red.png) (time 5))\n"
                    " (sprite (filename textures/frames/blue.png) (time 5)))\n");
    level.writeImage("textures/lava_p.png", 8, 8, 0xAA2200);
    // Two objects carry lava's colour.
    level.addObject("characters", "o00", 0xAA2200);
    level.addObject("entities", "o01", 0xAA2200);
    ViewerRun viewer(level.path());

    // Row 1 (y 58 to 89): the animation.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 70));
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 2) > 0; });
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(17)); // textures/lava.txt
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(33)); // #AA2200 16x16, 2 frames, 2 others
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);
    // Row 0: the image, 24 by 24, whose colour no other file has.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 30));
    shot =
        viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 2) == labelWidth(16); });
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(16)); // textures/a00.png
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(23)); // #10ABCD 24x24, 0 others
    // Below the rows: nothing.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 400));
    shot = viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 2) == 0; });
    EXPECT_EQ(bottomLineWidth(shot, 1), 0);
    // An objects row (rows 13 apart), with the find line open below the hover lines.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 40));
    viewer.press({"o", "slash"});
    shot = viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 0) > 0; });
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(16)); // entities/o01.txt
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(17)); // #AA2200, 2 others
    EXPECT_EQ(bottomLineWidth(shot, 0), labelWidth(10)); // /_: 2 of 2
    viewer.press({"Escape"});
    viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 0) == 0; });
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, AStillPageWaitsAndFramesComeAgainForTheMouseAndForAnAnimationInView) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    // Page 1 is still; page 2 holds a clock, green then blue for 45 frames each.
    for (int i = 0; i < 15; ++i)
        level.addTexture(numbered("a", i), swatchColour(i), imageColour(i));
    level.writeImage("textures/frames/green.png", 16, 16, 0x00FF00);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    level.writeText("textures/clock.txt",
                    "(animated (loop)\n"
                    " (sprite (filename textures/frames/green.png) (time 45))\n"
                    " (sprite (filename textures/frames/blue.png) (time 45)))\n");
    level.writeImage("textures/clock_p.png", 8, 8, 0x00AA01);
    ViewerRun viewer(level.path());
    // The pointer over the still page's first row names it.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 150, 30));
    Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 2) == labelWidth(16); });
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(16)); // textures/a00.png
    // The clock comes into view and plays: green, blue and green again.
    viewer.press({"2"});
    for (const uint32_t colour : {0x00FF00u, 0x0000FFu, 0x00FF00u}) {
        shot = viewer.waitFor([&](const Screenshot& s) { return s.at(12, 29) == colour; });
        ASSERT_EQ(shot.at(12, 29), colour);
    }
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, BigArtIsScaledIntoItsRowAndArtThatFitsIsDrawnAsItIs) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.writeImage("textures/a.png", 640, 480, 0x2040C0);
    level.writeImage("textures/a_p.png", 8, 8, 0x112233);
    level.addTexture("b", 0x445566, 0xC04020);
    ViewerRun viewer(level.path());
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

TEST(ViewerPages, BCyclesTheBackgroundThroughCheckerboardAndGreyBackToWhite) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.addTexture("t00", swatchColour(0), 0xC04020);
    ViewerRun viewer(level.path());
    const Screenshot first = viewer.screenshot();

    viewer.press({"b"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(108, 400) != white; });
    // 8-pixel squares, white in the top-left one.
    EXPECT_EQ(shot.at(108, 400), 0xCCCCCCu);
    EXPECT_EQ(shot.at(100, 408), 0xCCCCCCu);
    EXPECT_EQ(shot.at(100, 400), white);
    EXPECT_EQ(shot.at(108, 408), white);
    EXPECT_EQ(captionWidth(shot), labelWidth(9));
    EXPECT_EQ(shot.at(12, 29), 0xC04020u);

    viewer.press({"b"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(100, 400) != white; });
    EXPECT_EQ(shot.at(100, 400), 0x808080u);
    EXPECT_EQ(shot.at(108, 400), 0x808080u);
    EXPECT_EQ(captionWidth(shot), labelWidth(9));
    EXPECT_EQ(shot.at(12, 29), 0xC04020u);

    viewer.press({"b"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(100, 400) == white; });
    EXPECT_EQ(shot.pixels, first.pixels);
    EXPECT_EQ(viewer.quit(), 0);
}

TEST(ViewerPages, TheInfoOverlayNamesRowsAndColoursAndGoesAgainWithoutATrace) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.addTexture("t00", 0x10ABCD, 0xC04020);
    level.addObject("characters", "o00", 0x20ABCD);
    ViewerRun viewer(level.path());
    const Screenshot before = viewer.screenshot();

    viewer.press({"i"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return pageNumberShown(s, 11); });
    EXPECT_TRUE(pageNumberShown(shot, 11)); // "page 1 of 1"
    // Right of the texture's 64-pixel box: its path, and below it its colour.
    EXPECT_EQ(shot.at(12, 29), 0xC04020u);
    EXPECT_EQ(barWidth(shot, 78, 31), labelWidth(16)); // textures/t00.png
    EXPECT_EQ(shot.at(77, 31), white);
    EXPECT_EQ(barWidth(shot, 78, 50), labelWidth(7)); // #10ABCD

    viewer.press({"o"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    EXPECT_EQ(barWidth(shot, 10, 30), labelWidth(26)); // characters/o00.txt #20ABCD
    viewer.press({"y"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(17); });
    EXPECT_EQ(barWidth(shot, 10, 28), labelWidth(19)); // Walk Behind #123456
    EXPECT_EQ(barWidth(shot, 10, 43), labelWidth(17)); // Walk Into #654321
    EXPECT_TRUE(pageNumberShown(shot, 11));

    viewer.press({"t", "i"});
    shot = viewer.waitFor([](const Screenshot& s) { return !pageNumberShown(s, 11); });
    EXPECT_EQ(shot.pixels, before.pixels);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, WithTheInfoOverlaySwatchesSitInADarkGreyFrame) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.addTexture("t00", 0xEEFFDD, 0xC04020); // near-white, unseen on white
    level.addObject("characters", "o00", 0xFFFFDD);
    ViewerRun viewer(level.path());
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
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(0, 26) == 0x404040; });
    expectFramed(shot, 26, 0xEEFFDD);
    viewer.press({"o"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(1, 27) == 0xFFFFDD; });
    expectFramed(shot, 26, 0xFFFFDD);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerPages, ALongPathIsShortenedToTheWindowAndTheColourIsNeverCut) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    // 40 and 61 characters: wider than the room beside the texture and on the objects row.
    level.addTexture("gfx-menu-anims-langame_0012", 0x10ABCD, 0xC04020);
    level.addObject("cutscenes", "multiplayer_intro_with_a_rather_long_name_02", 0x20ABCD);
    ViewerRun viewer(level.path());
    viewer.press({"i"});
    // The path in the 31 characters right of the texture box; the colour below it whole.
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(78, 31) == black; });
    EXPECT_EQ(barWidth(shot, 78, 31), labelWidth(31));
    EXPECT_EQ(barWidth(shot, 78, 50), labelWidth(7));
    // The objects row holds 41 characters: the path gives way to " #20ABCD".
    viewer.press({"o"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    EXPECT_EQ(barWidth(shot, 10, 30), labelWidth(41));
    EXPECT_EQ(shot.at(299, 30), white);
    viewer.press({"i"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(0, 26) == 0x20ABCD; });
    EXPECT_EQ(barWidth(shot, 10, 30), labelWidth(41));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

// Saves an image the way many editors do: a temporary file renamed over the old one.
void saveByRename(LevelFolder& level, const std::string& relative, uint32_t rgb) {
    level.writeImage(relative + ".part", 8, 8, rgb);
    ASSERT_EQ(std::rename((level.path() + "/" + relative + ".part").c_str(),
                          (level.path() + "/" + relative).c_str()),
              0);
}

// Writes `text` over the start of a file in place, in one write and without truncating it
// first: the viewer can never read the file half written, whenever it looks.
void overwriteStart(LevelFolder& level, const std::string& relative, const std::string& text) {
    std::fstream file(level.path() + "/" + relative,
                      std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(file.write(text.data(), std::streamsize(text.size())).flush()) << relative;
}

// Makes a new file whole at once: written aside, then linked in under its name.
void createWhole(LevelFolder& level, const std::string& relative, uint32_t rgb) {
    level.writeImage(relative + ".part", 4, 4, rgb);
    std::filesystem::create_hard_link(level.path() + "/" + relative + ".part",
                                      level.path() + "/" + relative);
    std::filesystem::remove(level.path() + "/" + relative + ".part");
}

void removeFile(LevelFolder& level, const std::string& relative) {
    ASSERT_EQ(std::remove((level.path() + "/" + relative).c_str()), 0) << relative;
}

TEST(ViewerLiveReload, AnEditShowsOnThePageBeingLookedAtWhichShrinksWithTheLevel) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    for (int i = 0; i < 20; ++i)
        level.addTexture(numbered("t", i), swatchColour(i), imageColour(i));
    ViewerRun viewer(level.path());
    viewer.press({"2"});
    viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(15); });

    saveByRename(level, "textures/t16_p.png", 0xABCDEF);
    Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return s.at(3, rowY(1, 32) + 3) == 0xABCDEF; });
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), 0xABCDEFu);
    EXPECT_EQ(shot.at(3, 29), swatchColour(15)); // still page 1
    EXPECT_EQ(shot.at(12, 29), imageColour(15));

    // Page 1 empties: the view falls back to the last page that holds a row. Each texture
    // goes before its swatch, so that no scan meets a texture without one.
    for (int i = 15; i < 20; ++i) {
        removeFile(level, "textures/" + numbered("t", i) + ".png");
        removeFile(level, "textures/" + numbered("t", i) + "_p.png");
    }
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(0); });
    EXPECT_EQ(shot.at(3, 29), swatchColour(0));
    EXPECT_EQ(shot.at(3, rowY(14, 32) + 3), swatchColour(14));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerLiveReload, TexturesAndWholeFoldersComeAndGo) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.addTexture("t00", swatchColour(0), imageColour(0));
    ViewerRun viewer(level.path());

    // Added (swatch first, then the texture renamed into place), then removed.
    saveByRename(level, "textures/t01_p.png", swatchColour(1));
    saveByRename(level, "textures/t01.png", imageColour(1));
    Screenshot shot = viewer.waitFor(
        [](const Screenshot& s) { return s.at(12, rowY(1, 32) + 3) == imageColour(1); });
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), swatchColour(1));
    EXPECT_EQ(shot.at(12, rowY(1, 32) + 3), imageColour(1));
    removeFile(level, "textures/t01.png");
    removeFile(level, "textures/t01_p.png");
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, rowY(1, 32) + 3) == white; });
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), white);
    EXPECT_EQ(shot.at(3, 29), swatchColour(0));

    // The whole folder deleted, then made again: its new files show, and so do later edits
    // in it, which need a watch on the new folder.
    std::filesystem::remove_all(level.path() + "/textures");
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == white; });
    EXPECT_EQ(shot.at(3, 29), white);
    saveByRename(level, "textures/t00_p.png", 0x224466);
    saveByRename(level, "textures/t00.png", 0x668844);
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(12, 29) == 0x668844; });
    EXPECT_EQ(shot.at(3, 29), 0x224466u);
    saveByRename(level, "textures/t00_p.png", 0x4488CC);
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == 0x4488CC; });
    EXPECT_EQ(shot.at(3, 29), 0x4488CCu);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerLiveReload, F5RescansAndABrokenSwatchIsReportedAgainAndEachRescanAfterItSaysHowItWent) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.addTexture("t00", swatchColour(0), imageColour(0));
    level.addTexture("t01", swatchColour(1), imageColour(1));
    // A second name for t00's swatch, in a folder the viewer does not watch: writes through
    // it change the swatch unseen, so that only F5 can show them.
    std::filesystem::create_directories(level.path() + "/elsewhere");
    std::filesystem::create_hard_link(level.path() + "/textures/t00_p.png",
                                      level.path() + "/elsewhere/t00.png");
    ViewerRun viewer(level.path());

    level.writeImage("elsewhere/t00.png", 8, 8, 0x13579B);
    viewer.press({"F5"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == 0x13579B; });
    EXPECT_EQ(shot.at(3, 29), 0x13579Bu);
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), swatchColour(1));

    // A broken swatch: its row goes and its line is written; mended, the row comes back.
    level.writeText("textures/t01_p.png.part", "no image");
    std::filesystem::rename(level.path() + "/textures/t01_p.png.part",
                            level.path() + "/textures/t01_p.png");
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, rowY(1, 32) + 3) == white; });
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), white);
    const std::string line =
        "Unable to read swatch textures/t01_p.png of textures/t01.png : Unsupported image format\n";
    EXPECT_EQ(viewer.standardError(), line); // after a clean scan, its own line is the last
    // Scanned again while still broken, then mended: after a scan with problems each rescan
    // ends in a line that says how it went.
    saveByRename(level, "textures/t00_p.png", 0x2468AC);
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == 0x2468AC; });
    EXPECT_EQ(shot.at(3, 29), 0x2468ACu);
    const std::string again = line + line + "level scanned again: 1 problem above\n";
    EXPECT_EQ(viewer.standardError(), again);
    saveByRename(level, "textures/t01_p.png", 0x00AA00);
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, rowY(1, 32) + 3) == 0x00AA00; });
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), 0x00AA00u);
    const std::string mended = again + "level scanned again: no problems\n";
    EXPECT_EQ(viewer.standardError(), mended);
    // A clean rescan after a clean scan writes nothing.
    saveByRename(level, "textures/t00_p.png", 0x13579B);
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == 0x13579B; });
    EXPECT_EQ(shot.at(3, 29), 0x13579Bu);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), mended);
}

TEST(ViewerLiveReload, FontsAndDecorationsLoadAgainWhenTheirOwnFilesChangeWithoutARescan) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    level.addTexture("t00", swatchColour(0), imageColour(0));
    // A swatch that is no image: each scan of the level writes its line once.
    level.writeImage("textures/t01.png", 16, 16, imageColour(1));
    level.writeText("textures/t01_p.png", "no image");
    ViewerRun viewer(level.path());

    saveByRename(level, "whiteBG.png", 0x336699);
    saveByRename(level, "scramble.png", 0x00AA00);
    Screenshot shot = viewer.waitFor(
        [](const Screenshot& s) { return s.at(150, 400) == 0x336699 && s.at(5, 720) == 0x00AA00; });
    EXPECT_EQ(shot.at(150, 400), 0x336699u);
    EXPECT_EQ(shot.at(5, 720), 0x00AA00u);
    EXPECT_EQ(shot.at(12, 29), imageColour(0));
    EXPECT_FALSE(captionHasGlyphs(shot));
    // The bundled small font renamed over the block one: the caption shows glyphs.
    const std::string font = level.path() + "/fonts/smallFont.png";
    std::filesystem::copy_file(sourceRoot() + "/demo/fonts/smallFont.png", font + ".part");
    std::filesystem::rename(font + ".part", font);
    shot = viewer.waitFor([](const Screenshot& s) { return captionHasGlyphs(s); });
    EXPECT_TRUE(captionHasGlyphs(shot));

    // Broken by a write in place: named, and drawn as at start-up without it, a white quad.
    overwriteStart(level, "whiteBG.png", "no image");
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(150, 400) == white; });
    EXPECT_EQ(shot.at(150, 400), white);
    // Deleted and made again.
    removeFile(level, "whiteBG.png");
    createWhole(level, "whiteBG.png", 0x884422);
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(150, 400) == 0x884422; });
    EXPECT_EQ(shot.at(150, 400), 0x884422u);
    EXPECT_TRUE(captionHasGlyphs(shot));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(),
              "Unable to read swatch textures/t01_p.png of textures/t01.png : Unsupported image "
              "format\n"
              "Unable to load image whiteBG.png : Unsupported image format\n");
}

TEST(ViewerBrokenLevel, StartsShowsWhatItCanAndReportsEachProblemOnce) {
    LevelFolder level;
    level.copyGolden("broken");
    // The same lines in the same order however many threads decode the images.
    for (const char* threads : {"1", "4"}) {
        SCOPED_TRACE(std::string("LEVELCOLORS_THREADS=") + threads);
        setenv("LEVELCOLORS_THREADS", threads, 1);
        ViewerRun viewer(level.path());
        const Screenshot shot = viewer.screenshot();
        // Rows: textures/good.png, the image that is no PNG (drawn at size 0), and the
        // description files that could be built; files without a sprite or swatch have none.
        EXPECT_EQ(shot.at(3, 29), 0x11AA11u);
        EXPECT_EQ(shot.at(12, 29), 0x22CC22u);
        // textures/gap.txt (row 4) plays the frame it has, never an empty one.
        EXPECT_EQ(shot.at(3, 29 + 4 * 32), 0xDD4545u);
        EXPECT_EQ(shot.at(12, 29 + 4 * 32), 0x0000AAu);
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardOutput(), "");
        expectLinesMatch(viewer.standardError(),
                         LevelFolder::goldenText("broken", "expected-stderr.txt"));
    }
    unsetenv("LEVELCOLORS_THREADS");

    // The check finds each of the viewer's description problems, at the same file and line.
    std::string report;
    EXPECT_EQ(
        runCommand({buildRoot() + "/levelcolors-check", "--quiet", level.path()}, &report, 30), 1);
    for (const char* where :
         {"unloadable texture textures/torn.png", "textures/bogus.txt: unknown sprite type",
          "textures/cycle.txt:2: part textures/cycle.txt names", "textures/empty.txt: an animation",
          "textures/gap.txt:2: frame textures/frames/missing.png cannot be loaded",
          "textures/jpg.txt:1: part textures/frames/a.jpg is neither",
          "textures/lost.txt:1: frame textures/frames/lost.png cannot be loaded",
          "textures/mixed.txt:3: frame textures/frames/small.png is 8x8",
          "textures/open.txt:1: file ends inside an open list",
          "textures/wordy.txt:2: Attempt to getList on atomic element: oops"})
        EXPECT_NE(report.find(where), std::string::npos) << where << "\n" << report;
}

TEST(ViewerBrokenLevel, LinksToNothingAndSpecialFilesAreNamedInScanOrderAndLeftOut) {
    LevelFolder level;
    level.addTexture("stone", 0x555555, 0x777777);
    level.writeImage("textures/zz_link_p.png", 8, 8, 0xAA2222);
    level.writeImage("textures/e_p.png", 8, 8, 0x22AA22);
    level.writeImage("levels/walkbehind_p.png", 8, 8, 0x123456);
    level.writeImage("levels/walkinto_p.png", 8, 8, 0x654321);
    const std::string root = level.path() + "/";
    ASSERT_EQ(symlink("../nowhere/stone.png", (root + "textures/zz_link.png").c_str()), 0);
    ASSERT_EQ(mkfifo((root + "textures/e.txt").c_str(), 0644), 0);

    ViewerRun viewer(level.path());
    // Only stone has a row; nothing waits on the FIFO.
    const Screenshot shot = viewer.screenshot();
    EXPECT_EQ(shot.at(3, 29), 0x555555u);
    EXPECT_EQ(shot.at(3, 29 + 32), white);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(),
              "textures/zz_link.png: a link to ../nowhere/stone.png, which does not exist\n"
              "textures/e.txt: not a regular file\n");
}

// The peak resident memory of a running process, in MiB (unused under the sanitizers).
[[maybe_unused]] long peakMebibytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long kib = 0;
    while (status >> key) {
        if (key == "VmHWM:" && status >> kib)
            return kib / 1024;
    }
    return -1;
}

TEST(ViewerHostileLevel, SpecialHugeAndOversizedFilesNeitherHangNorExhaustAnything) {
    LevelFolder level;
    level.copyGolden("hostile");
    const std::string root = level.path() + "/";
    ASSERT_EQ(mkfifo((root + "textures/pipe_p.png").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo((root + "textures/frames/fifo.txt").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", (root + "textures/frames/zero.txt").c_str()), 0);
    level.writeText("textures/big.txt", "(animated" + std::string((2 << 20) - 10, ' ') + ")");

    ViewerRun viewer(level.path());
    // The 8193 by 8193 image is shown, scaled down, at row 0.
    const Screenshot shot = viewer.screenshot();
    EXPECT_EQ(shot.at(3, 29), 0x113399u);
    EXPECT_EQ(shot.at(12, 29), 0x3366AAu);
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's shadow and quarantine add their own
    EXPECT_LT(peakMebibytes(viewer.process().pid()), 1024);
#endif
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardOutput(), "");
    expectLinesMatch(viewer.standardError(),
                     LevelFolder::goldenText("hostile", "expected-stderr.txt"));

    // The check reads the same files; a hang would end in the time-out.
    std::string report;
    EXPECT_EQ(runCommand({buildRoot() + "/levelcolors-check", level.path()}, &report, 30), 1);
    EXPECT_NE(report.find("unreadable swatch textures/pipe_p.png of textures/pipe.png (not a "
                          "regular file)"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("textures/outside.txt names ../levelcolors-hostile-absent/art.png, "
                          "outside the level folder"),
              std::string::npos)
        << report;
}

} // namespace

TEST(ViewerQuit, TheCloseButtonSigintAndSigtermEndItAsEscapeDoes) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    for (const int signal : {0, SIGINT, SIGTERM}) { // 0: the window's close button
        SCOPED_TRACE("signal " + std::to_string(signal));
        ViewerRun viewer(level.path());
        if (signal == 0)
            ASSERT_TRUE(viewer.driver().closeWindow(viewer.window()));
        else
            kill(viewer.process().pid(), signal);
        EXPECT_EQ(viewer.process().wait(30), 0);
        EXPECT_EQ(viewer.standardError(), "");
    }
}

TEST(ViewerQuit, LosingTheDisplayEndsItWithOneLineAndStatusOne) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    ViewerRun viewer(level.path());
    const std::string display = viewer.server().display();
    viewer.server().stop();
    // Before, it spun for ever once the display was gone: any bound tells the two apart.
    EXPECT_EQ(viewer.process().wait(60), 1);
    EXPECT_EQ(viewer.standardError(), "Lost the display " + display + "\n");
}

TEST(ViewerQuit, ADestroyedWindowEndsItWithOneLineOfItsOwnAndStatusOne) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    ViewerRun viewer(level.path());
    ASSERT_TRUE(viewer.driver().destroyWindow(viewer.window()));
    EXPECT_EQ(viewer.process().wait(60), 1);
    // Before, Xlib's own "X Error of failed request: BadDrawable ..." and its details.
    EXPECT_EQ(viewer.standardError(),
              "Lost the window on the display " + viewer.server().display() + "\n");
    EXPECT_EQ(viewer.standardOutput(), "");
}

TEST(ViewerCommandLine, HelpVersionAndUsageErrorsEndBeforeAnyWindow) {
    LevelFolder level;
    const std::string usage = "usage: levelcolors [--size WxH] [--map FILE]... [LEVEL_FOLDER]\n";
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
        {{"--size", "300x399"},
         2,
         "",
         "levelcolors: --size 300x399 is below the smallest window, 300x400\n" + usage},
        {{"--size", "299x800"},
         2,
         "",
         "levelcolors: --size 299x800 is below the smallest window, 300x400\n" + usage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        std::vector<std::string> argv = {viewerBinary()};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        // No display: reaching SDL would end with status 1 and "Unable to init SDL".
        TestedProgram viewer(argv, level.path(), viewerEnvironment(""));
        EXPECT_EQ(viewer.wait(), c.status);
        const std::string out = viewer.standardOutput();
        const std::string err = viewer.standardError();
        EXPECT_EQ(out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(c.out.empty(), out.empty()) << out;
        // A folder that cannot be entered is one line; usage errors add the usage.
        if (c.err.find("cannot open") != std::string::npos) {
            EXPECT_EQ(err, c.err);
        }
    }
}

TEST(ViewerCommandLine, SizeOpensTheWindowAtThatSizeWithRowsPerPageScaledToItsHeight) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
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
        ViewerRun viewer(level.path(), {"--size", "400x600"});
        EXPECT_EQ(viewer.driver().windowSize(viewer.window()), std::make_pair(400, 600));
        Screenshot shot = viewer.screenshot();
        ASSERT_EQ(shot.width, 400);
        EXPECT_EQ(shot.at(5, 520), LevelFolder::overlayTopLeft);
        expectRows(shot, 11, 32, 0);
        viewer.press({"2"});
        shot = viewer.waitFor([](const Screenshot& s) { return s.at(3, 29) == swatchColour(11); });
        EXPECT_EQ(shot.at(3, 29), swatchColour(11));
        viewer.press({"1", "o"});
        shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
        expectRows(shot, 30, 13, 100);
        // The label has the width of the window: "characters/oNN.txt" whole.
        EXPECT_EQ(barWidth(shot, 10, rowY(0, 13) + 4), labelWidth(18));
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardError(), "");
    }
    {
        // Beyond the 400 by 900 display: reduced to it, with one line; 16 textures rows.
        ViewerRun viewer(level.path(), {"--size=500x1000"});
        EXPECT_EQ(viewer.driver().windowSize(viewer.window()), std::make_pair(400, 900));
        expectRows(viewer.screenshot(), 16, 32, 0);
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardError(), "The window of 500x1000 does not fit the display of "
                                          "400x900; it opens at 400x900\n");
    }
}

TEST(ViewerCommandLine, ALevelGivenFromAnotherFolderIsReadWithTheBundledFontsAndPictures) {
    // The level carries none of the four files, so they come from the source tree's demo
    // level (the viewer runs from the build folder); the folder it starts in has the block
    // fonts and a texture of its own, which must not be read.
    LevelFolder elsewhere;
    elsewhere.addTexture("t00", swatchColour(5), imageColour(5));
    const std::string name = "Level \xC3\xA4 1"; // a space and a two-byte character
    {
        LevelFolder level;
        removeDecorations(level);
        addCollisionSwatches(level, 0x123456, 0x654321);
        level.addTexture("t00", swatchColour(0), imageColour(0));
        ASSERT_EQ(rename(level.path().c_str(), (elsewhere.path() + "/" + name).c_str()), 0);
    }
    ViewerRun viewer(elsewhere.path(), {name});
    const Screenshot shot = viewer.screenshot();
    EXPECT_EQ(shot.at(3, rowY(0, 32) + 3), swatchColour(0));
    EXPECT_EQ(shot.at(12, rowY(0, 32) + 3), imageColour(0));
    EXPECT_TRUE(captionHasGlyphs(shot));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerInstall, AMovedInstallRunsOnItsOwnDataFolder) {
    LevelFolder scratch;
    const std::string first = scratch.path() + "/first";
    const std::string moved = scratch.path() + "/moved";
    ASSERT_EQ(runCommand({"cmake", "--install", buildRoot(), "--prefix", first}), 0);
    ASSERT_EQ(rename(first.c_str(), moved.c_str()), 0);
    for (const char* file :
         {"bin/levelcolors", "bin/levelcolors-check", "share/man/man1/levelcolors.1",
          "share/man/man1/levelcolors-check.1", "share/levelcolors/fonts/LICENSE-Terminus.txt",
          "share/levelcolors/fonts/smallFont.png", "share/levelcolors/whiteBG.png"})
        EXPECT_EQ(access((moved + "/" + file).c_str(), R_OK), 0) << file;
    // The bundled demo level passes the check.
    EXPECT_EQ(runCommand({moved + "/bin/levelcolors-check", moved + "/share/levelcolors"}), 0);

    // A partial data folder costs only the missing file's line.
    std::remove((moved + "/share/levelcolors/scramble.png").c_str());
    LevelFolder level;
    removeDecorations(level);
    addCollisionSwatches(level, 0x123456, 0x654321);
    ViewerRun viewer("/", {level.path()}, moved + "/bin/levelcolors");
    const Screenshot shot = viewer.screenshot();
    EXPECT_TRUE(captionHasGlyphs(shot));
    EXPECT_EQ(shot.at(5, 720), white);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(),
              "Unable to load image scramble.png : Couldn't open scramble.png\n");
}

// The map golden level's cells at 16 pixels: the cell at column c, row r starts at
// (16c, 32 + 16r).
constexpr uint32_t brickArt = 0xC04020, brickMarker = 0x10ABCD;
constexpr uint32_t magenta = 0xFF00FF;

int cellX(int column, int side = 16) {
    return column * side;
}
int cellY(int row, int side = 16) {
    return 32 + row * side;
}

// Lava plays red and blue frames: either is the animation caught between ticks.
bool lavaShown(uint32_t pixel) {
    return pixel == 0xFF0000 || pixel == 0x0000FF;
}

// The status line's glyphs cover rows 12 to 27, below the caption's.
int statusWidth(const Screenshot& shot) {
    return barWidth(shot, 0, 22);
}

TEST(ViewerMap, MShowsTheMapCellByCellAndPShowsItAsPainted) {
    LevelFolder level;
    level.copyGolden("map");
    ViewerRun viewer(level.path());
    viewer.press({"m"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(8, 40) == brickArt; });
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
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(8, 40) == brickMarker; });
    EXPECT_EQ(shot.at(cellX(0) + 8, cellY(0) + 8), brickMarker);
    EXPECT_EQ(shot.at(cellX(1) + 8, cellY(0) + 8), 0xAA2200u);
    EXPECT_EQ(shot.at(cellX(2), cellY(0)), 0x3366CCu); // no frame
    EXPECT_EQ(shot.at(cellX(0) + 3, cellY(1) + 3), 0x010203u);
    EXPECT_EQ(shot.at(cellX(1) + 8, cellY(1) + 8), white);
    // The page keys do nothing here; t goes back to the textures page as it was.
    viewer.press({"p", "2", "Next", "t"});
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(9); });
    EXPECT_EQ(shot.at(3, 29), brickMarker); // page 1's first row, the brick's swatch
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerMap, WithoutAMapTheViewSaysWhereToPutOneAndAnUnreadableMapIsNamed) {
    LevelFolder level;
    addCollisionSwatches(level, 0x123456, 0x654321);
    {
        ViewerRun viewer(level.path());
        viewer.press({"m"});
        const Screenshot shot =
            viewer.waitFor([](const Screenshot& s) { return statusWidth(s) == labelWidth(36); });
        EXPECT_EQ(captionWidth(shot), labelWidth(9)); // MAP: none
        // Too long for one line at this width, the advice goes on two.
        EXPECT_EQ(statusWidth(shot), labelWidth(36));     // no map: put a painted PNG in levels/
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
        ViewerRun viewer(level.path(), c.arguments);
        viewer.press({"m"});
        const Screenshot shot =
            viewer.waitFor([](const Screenshot& s) { return statusWidth(s) == labelWidth(14); });
        EXPECT_EQ(captionWidth(shot), labelWidth(c.caption));
        EXPECT_EQ(statusWidth(shot), labelWidth(14)); // cannot be read
        EXPECT_EQ(viewer.quit(), 0);
        expectLinesMatch(viewer.standardError(), c.lines);
    }
}

// The caption of the map golden level's map.
bool mapShown(const Screenshot& shot) {
    return captionWidth(shot) == labelWidth(23);
}

TEST(ViewerMap, PlusAndMinusZoomAboutThePointerHomeFitsTheArrowsAndADragPan) {
    LevelFolder level;
    level.copyGolden("map");
    ViewerRun viewer(level.path());
    viewer.press({"m"});
    viewer.waitFor([](const Screenshot& s) { return s.at(8, 40) == brickArt; });
    // With the pointer at (1, 33), the point under it stays: cell 0 reaches from -1 to 30.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 1, 33));
    viewer.waitFor([](const Screenshot& s) { return statusWidth(s) == labelWidth(30); });
    viewer.press({"plus"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(24, 44) == brickArt; });
    EXPECT_EQ(shot.at(24, 44), brickArt);
    EXPECT_TRUE(lavaShown(shot.at(40, 44)));
    // Out to 8 pixels a cell: the frame and the checkerboard still show. Each press waits for
    // the one before: the X server would take two presses of one key at once for a held key.
    viewer.press({"minus"});
    viewer.waitFor([](const Screenshot& s) { return s.at(40, 40) == 0x3366CC; });
    viewer.press({"KP_Subtract"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(20, 36) == 0x3366CC; });
    EXPECT_EQ(shot.at(4, 36), brickArt);
    EXPECT_EQ(shot.at(16, 32), black);
    EXPECT_EQ(shot.at(1, 41), magenta);
    EXPECT_EQ(shot.at(6, 41), black);
    // At 2 pixels a cell: the texture's average colour, the stray plain magenta, no frame.
    viewer.press({"minus"});
    // At 4 pixels a cell the object has no frame.
    viewer.waitFor([](const Screenshot& s) { return s.at(8, 32) == 0x3366CC; });
    viewer.press({"minus"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(0, 34) == magenta; });
    EXPECT_EQ(shot.at(0, 32), brickArt);
    EXPECT_EQ(shot.at(1, 35), magenta);
    EXPECT_EQ(shot.at(2, 32), 0xFF0000u); // lava's first frame
    EXPECT_EQ(shot.at(4, 32), 0x3366CCu);
    EXPECT_EQ(shot.at(8, 32), white);
    // Home fits the map: 64 pixels a cell, the corner at the area's.
    viewer.press({"Home"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(130, 40) == 0x3366CC; });
    EXPECT_EQ(shot.at(32, 64), brickArt);
    EXPECT_EQ(shot.at(128, 32), black);
    EXPECT_EQ(shot.at(160, 150), brickArt); // row 1, column 2
    // Left moves the view a quarter of the area (75 pixels) to the left, the map to the right.
    viewer.press({"Left"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(80, 40) == brickArt; });
    EXPECT_EQ(shot.at(8, 40), white);
    viewer.press({"Right"});
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(8, 40) == brickArt; });
    // A drag moves the map with the pointer, and is no click: the brick from 50 to 113.
    ASSERT_TRUE(viewer.driver().drag(viewer.window(), 8, 40, 58, 50));
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(45, 45) == white; });
    EXPECT_EQ(shot.at(45, 45), white);
    EXPECT_EQ(shot.at(110, 45), brickArt);
    EXPECT_TRUE(mapShown(shot));
    // The wheel zooms too, below the map: 32 pixels a cell.
    ASSERT_TRUE(viewer.driver().turnWheel(viewer.window(), 5));
    shot = viewer.waitFor([](const Screenshot& s) { return statusWidth(s) == labelWidth(23); });
    EXPECT_EQ(statusWidth(shot), labelWidth(23)); // 4x2, 1 stray pixel, x32
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerMap, HoverNamesTheCellAndAClickGoesToItsRowsPage) {
    LevelFolder level;
    level.copyGolden("map");
    ViewerRun viewer(level.path());
    viewer.press({"m"});
    viewer.waitFor([](const Screenshot& s) { return s.at(8, 40) == brickArt; });
    struct Hover {
        int x, y;
        int characters;
    };
    const Hover hovers[] = {
        {8, 40, 30},    // 0,0 #10ABCD textures/brick.png
        {40, 40, 31},   // 2,0 #3366CC characters/hero.txt
        {56, 40, 23},   // 3,0 #55AAAA walk behind
        {8, 56, 21},    // 0,1 #010203 no marker
        {24, 56, 17},   // 1,1 #000000 empty
        {150, 400, 23}, // off the map: 4x2, 1 stray pixel, x16
    };
    for (const Hover& hover : hovers) {
        ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), hover.x, hover.y));
        const int width = labelWidth(hover.characters);
        const Screenshot shot =
            viewer.waitFor([&](const Screenshot& s) { return statusWidth(s) == width; });
        EXPECT_EQ(statusWidth(shot), width) << hover.x << "," << hover.y;
    }
    // The objects view keeps a filter that hides the hero; a click on its cell clears it.
    viewer.press({"o", "slash", "z", "Return", "m"});
    viewer.waitFor(mapShown);
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 40, 40));
    Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(8); });
    EXPECT_EQ(captionWidth(shot), labelWidth(8)); // OBJECTS:
    EXPECT_EQ(shot.at(3, 29), 0x3366CCu);         // the hero's row
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);       // no filter
    viewer.press({"m"});
    viewer.waitFor(mapShown);
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 8, 40));
    shot = viewer.waitFor([](const Screenshot& s) { return captionWidth(s) == labelWidth(9); });
    EXPECT_EQ(shot.at(3, 29), brickMarker); // TEXTURES:, the brick's row
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerMap, TheHoverTextNamesATextureAndAnObjectOfOneColourBoth) {
    LevelFolder level;
    level.copyGolden("map");
    level.addObject("events", "w", brickMarker);
    ViewerRun viewer(level.path());
    viewer.press({"m"});
    viewer.waitFor(mapShown);
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 8, 40));
    // The window's 42 characters: 0,0 #10ABCD .../brick.png and events/w.txt
    const Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return statusWidth(s) == labelWidth(42); });
    EXPECT_EQ(statusWidth(shot), labelWidth(42));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

// Waits until the lava at (x, y) has played from one of its frames to the other and back:
// frames drawn after whatever came before the call.
Screenshot afterLavaPlays(const ViewerRun& viewer, int x, int y) {
    const uint32_t first =
        viewer.waitFor([&](const Screenshot& s) { return lavaShown(s.at(x, y)); }).at(x, y);
    viewer.waitFor(
        [&](const Screenshot& s) { return lavaShown(s.at(x, y)) && s.at(x, y) != first; });
    return viewer.waitFor([&](const Screenshot& s) { return s.at(x, y) == first; });
}

TEST(ViewerMap, AClickedCellsRowIsFramedUntilTheNextKeyOrClickAndNamedUntilThePointerMoves) {
    LevelFolder level;
    level.copyGolden("map");
    ViewerRun viewer(level.path());
    viewer.press({"m"});
    viewer.waitFor([](const Screenshot& s) { return s.at(8, 40) == brickArt; });
    // The lava's cell: its row is the second (y 58 to 89), the pointer over the first.
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 24, 40));
    viewer.waitFor([](const Screenshot& s) { return s.at(150, 56) == black; });
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
    viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 2) == labelWidth(18); });
    shot = afterLavaPlays(viewer, 12, 60);
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(18)); // textures/brick.png
    EXPECT_EQ(shot.at(150, 56), black);
    // A key ends it, even one that changes nothing else.
    viewer.press({"1"});
    viewer.waitFor([](const Screenshot& s) { return s.at(150, 56) == white; });
    shot = afterLavaPlays(viewer, 12, 60);
    EXPECT_EQ(shot.at(150, 56), white);
    EXPECT_EQ(shot.at(299, 70), white);

    // The hero's row, the first of the objects page (y 26 to 38); the pointer over none.
    viewer.press({"m"});
    viewer.waitFor(mapShown);
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 40, 40));
    shot = viewer.waitFor([](const Screenshot& s) { return bottomLineWidth(s, 2) > 0; });
    EXPECT_EQ(captionWidth(shot), labelWidth(8));        // OBJECTS:
    EXPECT_EQ(bottomLineWidth(shot, 2), labelWidth(19)); // characters/hero.txt
    EXPECT_EQ(bottomLineWidth(shot, 1), labelWidth(17)); // #3366CC, 0 others
    for (const auto& [x, y] : {std::pair{150, 24}, {150, 25}, {150, 39}, {150, 40}, {299, 32}})
        EXPECT_EQ(shot.at(x, y), black) << x << "," << y;
    // A click ends it as a key does.
    ASSERT_TRUE(viewer.driver().click(viewer.window(), 150, 600));
    shot = viewer.waitFor([](const Screenshot& s) { return s.at(150, 24) == white; });
    EXPECT_EQ(shot.at(299, 32), white);
    EXPECT_EQ(bottomLineWidth(shot, 2), 0);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerMap, OffTheMapTheZoomKeysZoomAboutTheAreasCentreAndNoMoveLosesTheMap) {
    LevelFolder level;
    level.copyGolden("map");
    ViewerRun viewer(level.path());
    viewer.press({"m"});
    viewer.waitFor([](const Screenshot& s) { return s.at(8, 40) == brickArt; });
    // In the area, off the map's cells: out to 8 pixels a cell about the area's centre
    // (150, 384 in the area), which puts the map's corner at (75, 192 + 32).
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 250, 600));
    viewer.waitFor([](const Screenshot& s) { return statusWidth(s) == labelWidth(23); });
    viewer.press({"minus"});
    Screenshot shot = viewer.waitFor([](const Screenshot& s) { return s.at(79, 228) == brickArt; });
    EXPECT_EQ(shot.at(79, 228), brickArt);
    EXPECT_EQ(shot.at(4, 36), white);
    // Left moves the map 75 pixels right, until its right edge meets the area's: a map smaller
    // than half the area stays whole in view.
    viewer.press({"Left"});
    viewer.waitFor([](const Screenshot& s) { return s.at(154, 228) == brickArt; });
    viewer.press({"Left"});
    viewer.waitFor([](const Screenshot& s) { return s.at(229, 228) == brickArt; });
    viewer.press({"Left"});
    viewer.waitFor([](const Screenshot& s) { return s.at(272, 228) == brickArt; });
    viewer.press({"Left"});
    shot = afterLavaPlays(viewer, 278, 228);
    EXPECT_EQ(shot.at(272, 228), brickArt);
    EXPECT_EQ(shot.at(299, 228), 0x55AAAAu); // the last column, walk behind, at the edge
    // In three steps about the centre, clamped at each: the map's left edge stops at the
    // area's middle once it is wider than half the area.
    viewer.press({"plus"});
    viewer.waitFor([](const Screenshot& s) { return s.at(240, 36) == brickArt; });
    viewer.press({"plus"});
    viewer.waitFor([](const Screenshot& s) { return s.at(176, 36) == brickArt; });
    viewer.press({"plus"});
    viewer.waitFor([](const Screenshot& s) { return s.at(154, 36) == brickArt; });
    shot = afterLavaPlays(viewer, 230, 40);
    EXPECT_EQ(shot.at(150, 36), brickArt);
    EXPECT_EQ(shot.at(149, 36), white);
    EXPECT_EQ(shot.at(280, 100), brickArt); // row 1, column 2
    EXPECT_EQ(shot.at(213, 159), magenta);  // the stray's bottom-right square, row 1, column 0
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerMap, ArtLargerThanItsCellIsReducedAlikeInEveryCellAndArtThatFitsStaysSharp) {
    LevelFolder level;
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
    ViewerRun viewer(level.path());
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
    viewer.waitFor([&](const Screenshot& shot) { return cellsShown(shot, 16); });
    EXPECT_TRUE(cellsShown(afterLavaPlays(viewer, cellX(3) + 8, cellY(0) + 8), 16));
    // Zoomed out about the map's corner, at 8 pixels a cell and at 4, drawn from the picture.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 1, 33));
    viewer.waitFor([](const Screenshot& shot) { return statusWidth(shot) > labelWidth(23); });
    viewer.press({"minus"});
    viewer.waitFor([&](const Screenshot& shot) { return cellsShown(shot, 8); });
    EXPECT_TRUE(cellsShown(afterLavaPlays(viewer, cellX(3, 8) + 4, cellY(0, 8) + 4), 8));
    viewer.press({"minus"});
    const Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return s.at(12, 32) == 0xFF0000u; });
    for (int y = 32; y < 40; ++y) {
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(shot.at(x, y), x >= 12 && y < 36 ? 0xFF0000u : grey) << x << "," << y;
    }
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST(ViewerMap, ASavedMapIsDrawnAgainWithItsViewKept) {
    LevelFolder level;
    level.copyGolden("map");
    ViewerRun viewer(level.path());
    viewer.press({"m"});
    viewer.waitFor(mapShown);
    // Out to 8 pixels a cell about the map's corner.
    ASSERT_TRUE(viewer.driver().movePointer(viewer.window(), 1, 33));
    viewer.waitFor([](const Screenshot& s) { return statusWidth(s) == labelWidth(30); });
    viewer.press({"minus"});
    viewer.waitFor([](const Screenshot& s) { return s.at(20, 36) == 0x3366CC; });
    // Saved by rename, as editors do: every pixel the hero now.
    ASSERT_TRUE(writePng(level.path() + "/levels/painted.png.part", 4, 2,
                         std::vector<uint32_t>(8, 0xFF3366CCu)));
    ASSERT_EQ(std::rename((level.path() + "/levels/painted.png.part").c_str(),
                          (level.path() + "/levels/painted.png").c_str()),
              0);
    const Screenshot shot =
        viewer.waitFor([](const Screenshot& s) { return s.at(4, 36) == 0x3366CC; });
    EXPECT_EQ(shot.at(4, 36), 0x3366CCu);
    EXPECT_EQ(shot.at(8, 32), black); // still 8 pixels a cell
    EXPECT_EQ(shot.at(28, 44), 0x3366CCu);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}
