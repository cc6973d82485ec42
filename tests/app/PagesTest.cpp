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
#include <utility>
#include <vector>

namespace {

using ReadPixels = void(LEVELCOLORS_GLAPI*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);

class PagesTest : public ::testing::Test {
  protected:
    // The fonts come from a level folder's block fonts: every label is a bar of ink, 7n + 1
    // pixels wide for n characters.
    static void SetUpTestSuite() {
        server = new XServer;
        server->makeCurrent();
        Screen::get();
        const std::string start = std::filesystem::current_path().string();
        LevelFolder fonts;
        ASSERT_EQ(chdir(fonts.path().c_str()), 0);
        Fonts::load();
        ASSERT_EQ(chdir(start.c_str()), 0);
    }
    // The window goes before its server, as no later case of this program draws.
    static void TearDownTestSuite() {
        SDL_Quit();
        delete server;
        server = nullptr;
    }

    // The window's 16 rows from `top` down after `draw` on a window cleared to white.
    static std::vector<uint8_t> line(int32_t top, const std::function<void()>& draw) {
        Renderer& gl = Renderer::get();
        gl.glClearColor(1, 1, 1, 1);
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
    // The black runs, as (first x, width), across the glyphs of the line of text from `top`
    // down after `draw`.
    static std::vector<std::pair<int, int>> bars(int32_t top, const std::function<void()>& draw) {
        const std::vector<uint8_t> rows = line(top, draw);
        const size_t width = size_t(Screen::get().view.w);
        const uint8_t* across = rows.data() + (15 - 6) * width * 4; // 6 rows below `top`
        std::vector<std::pair<int, int>> found;
        for (size_t x = 0; x < width; ++x) {
            const uint8_t* p = across + x * 4;
            if (p[0] != 0 || p[1] != 0 || p[2] != 0)
                continue;
            if (!found.empty() && found.back().first + found.back().second == int(x))
                ++found.back().second;
            else
                found.push_back({int(x), 1});
        }
        return found;
    }

    static XServer* server; // lives as long as the window
};

XServer* PagesTest::server = nullptr;

TEST_F(PagesTest, WhileTheLevelLoadsTheCaptionLineSaysHowFarAtItsRightEnd) {
    const struct {
        ViewMode mode;
        bool infoShown;
        std::optional<LoadingProgress> loading;
        std::vector<std::pair<int, int>> bars; // in the window 300 pixels wide
    } cases[] = {
        // "TEXTURES:" from x 0, "listing files" to the right edge.
        {ViewMode::Textures, false, LoadingProgress{0, 0}, {{0, 64}, {208, 92}}},
        // "TEXTURES:", "loading 1234 of 8000 files".
        {ViewMode::Textures, false, LoadingProgress{1234, 8000}, {{0, 64}, {117, 183}}},
        // In place of the page number while loading, and the page number once loaded:
        // "OBJECTS:", "loading 7 of 9 files"; "OBJECTS:", "page 1 of 1".
        {ViewMode::Objects, true, LoadingProgress{7, 9}, {{0, 57}, {159, 141}}},
        {ViewMode::Objects, true, std::nullopt, {{0, 57}, {222, 78}}},
        // "TEXTURES:" alone.
        {ViewMode::Textures, false, std::nullopt, {{0, 64}}},
    };
    ASSERT_EQ(Screen::get().view.w, 300);
    for (const auto& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        ViewState state;
        state.viewMode = c.mode;
        state.infoShown = c.infoShown;
        state.loading = c.loading;
        EXPECT_EQ(bars(0, [&] { drawPage(state); }), c.bars);
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
    // "/o1: 345 of 1234", 16 characters.
    EXPECT_EQ(bars(top, [&] { drawPage(state); }), (std::vector<std::pair<int, int>>{{0, 113}}));
    shownLevel = LevelContents();
}

} // namespace
