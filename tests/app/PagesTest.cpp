// Pages drawn by the real page code in a real window. The caption line while the level loads:
// how far the load has come stands at the line's right end, where the info overlay's page
// number goes once the level is loaded, and nothing else of the line differs. The find line's
// counts, and the animations a page moves on.

#include "app/Pages.h"
#include "app/Fonts.h"
#include "app/KeyTable.h"
#include "app/Level.h"
#include "drive/XServer.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "tests/app/LevelFolder.h"

#include <SDL.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using ReadPixels = void(LEVELCOLORS_GLAPI*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);

class PagesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server = new XServer;
        server->makeCurrent();
        Screen::get();
        Fonts::load();
    }
    // The window goes before its server, as no later case of this program draws.
    static void TearDownTestSuite() {
        SDL_Quit();
        delete server;
        server = nullptr;
    }

    // The window's 16 rows from `top` down after `draw` on a cleared window.
    static std::vector<uint8_t> line(int32_t top, const std::function<void()>& draw) {
        Renderer& gl = Renderer::get();
        gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
        gl.glFinish();
        const auto read = reinterpret_cast<ReadPixels>(SDL_GL_GetProcAddress("glReadPixels"));
        const Rect& view = Screen::get().view;
        std::vector<uint8_t> rows(size_t(view.w) * 16 * 4);
        read(0, GLint(view.h - top) - 16, GLsizei(view.w), 16, GL_RGBA, GL_UNSIGNED_BYTE,
             rows.data());
        return rows;
    }
    // The colour (0xRRGGBB) of the pixel at (x, y) after `draw` on a cleared window.
    static uint32_t pixel(int32_t x, int32_t y, const std::function<void()>& draw) {
        const std::vector<uint8_t> rows = line(y, draw);
        const size_t at = (size_t(15) * size_t(Screen::get().view.w) + size_t(x)) * 4;
        return uint32_t(rows[at]) << 16 | uint32_t(rows[at + 1]) << 8 | rows[at + 2];
    }
    // The top 16 rows: the caption line.
    static std::vector<uint8_t> captionLine(const std::function<void()>& draw) {
        return line(0, draw);
    }

    // The caption and `right` ending at the window's right edge, as labels drawn directly.
    static std::vector<uint8_t> expected(const char* caption, const std::string& right) {
        return captionLine([&] {
            Screen& screen = Screen::get();
            screen.drawLabel(caption, 0, 13);
            if (!right.empty())
                screen.drawLabel(right, screen.view.w - (7 * int32_t(right.size()) + 1), 13);
        });
    }

    static XServer* server; // lives as long as the window
};

XServer* PagesTest::server = nullptr;

TEST_F(PagesTest, WhileTheLevelLoadsTheCaptionLineSaysHowFarAtItsRightEnd) {
    const struct {
        ViewMode mode;
        bool infoShown;
        std::optional<LoadingProgress> loading;
        const char* caption;
        std::string right;
    } cases[] = {
        {ViewMode::Textures, false, LoadingProgress{0, 0}, "TEXTURES:", "listing files"},
        {ViewMode::Textures, false, LoadingProgress{1234, 8000},
         "TEXTURES:", "loading 1234 of 8000 files"},
        // In place of the page number while loading, and the page number once loaded.
        {ViewMode::Objects, true, LoadingProgress{7, 9}, "OBJECTS:", "loading 7 of 9 files"},
        {ViewMode::Objects, true, std::nullopt, "OBJECTS:", "page 1 of 1"},
        {ViewMode::Textures, false, std::nullopt, "TEXTURES:", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.right.empty() ? std::string(c.caption) : c.right);
        ViewState state;
        state.viewMode = c.mode;
        state.infoShown = c.infoShown;
        state.loading = c.loading;
        EXPECT_EQ(captionLine([&] { drawPage(state); }), expected(c.caption, c.right));
    }
}

// Only a page that shows a texture moves its animation on, a tick each time it is drawn: frames
// of another page leave it where it was, however many. (The whole viewer cannot show this: its
// frames come on their own clock, and a screenshot may come any number of them late.)
TEST_F(PagesTest, AnAnimationMovesOnlyWhileItsPageIsDrawn) {
    LevelFolder level;
    level.writeImage("levels/walkbehind_p.png", 8, 8, 0x123456);
    level.writeImage("levels/walkinto_p.png", 8, 8, 0x654321);
    for (int i = 0; i < 15; ++i)
        level.addTexture("a" + std::to_string(10 + i), 0x100000u + uint32_t(i), 0x808080);
    // The first row of page 2: red for two ticks, then blue, where it rests.
    level.writeImage("textures/frames/red.png", 16, 16, 0xFF0000);
    level.writeImage("textures/frames/blue.png", 16, 16, 0x0000FF);
    level.writeText("textures/zz.txt", "(animated\n"
                                       " (sprite (filename textures/frames/red.png) (time 2))\n"
                                       " (sprite (filename textures/frames/blue.png) (time 1)))\n");
    level.writeImage("textures/zz_p.png", 8, 8, 0x00AA00);
    const std::string start = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(level.path().c_str()), 0);
    loadLevel();
    ViewState first, second;
    second.pageIndex = 1;
    for (int frame = 0; frame < 10; ++frame)
        drawPage(first);
    const auto drawn = [&second] { return pixel(12, 29, [&second] { drawPage(second); }); };
    EXPECT_EQ(drawn(), 0xFF0000u);
    EXPECT_EQ(drawn(), 0xFF0000u);
    EXPECT_EQ(drawn(), 0x0000FFu);
    EXPECT_EQ(drawn(), 0x0000FFu);
    unloadLevel();
    ASSERT_EQ(chdir(start.c_str()), 0);
}

TEST_F(PagesTest, TheFindLineWritesItsCountsAsTheCaptionLineDoes) {
    for (uint32_t i = 0; i < 1234; ++i) {
        levelColors.push_back(0xFF000000u + i);
        objectNameByColor[0xFF000000u + i] = "characters/o" + std::to_string(i) + ".txt";
    }
    ViewState state;
    state.viewMode = ViewMode::Objects;
    state.objectsFilter = "o1"; // kept: o1, o10 to o19, o100 to o199, o1000 to o1233
    // The find line's glyphs start 96 pixels above the window's bottom edge.
    const int32_t top = Screen::get().view.h - 96;
    EXPECT_EQ(line(top, [&] { drawPage(state); }),
              line(top, [top] { Screen::get().drawLabel("/o1: 345 of 1234", 0, top + 14); }));
    shownLevel = LevelContents();
}

} // namespace
