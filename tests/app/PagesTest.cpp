// The caption line of a page while the level loads, drawn by the real page code in a real
// window: how far the load has come stands at the line's right end, where the info overlay's
// page number goes once the level is loaded, and nothing else of the line differs.

#include "app/Pages.h"
#include "app/Fonts.h"
#include "app/KeyTable.h"
#include "drive/XServer.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"

#include <SDL.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
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

    // The window's top 16 rows (the caption line) after `draw` on a cleared window.
    static std::vector<uint8_t> captionLine(const std::function<void()>& draw) {
        Renderer& gl = Renderer::get();
        gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
        gl.glFinish();
        const auto read = reinterpret_cast<ReadPixels>(SDL_GL_GetProcAddress("glReadPixels"));
        const Rect& view = Screen::get().view;
        std::vector<uint8_t> rows(size_t(view.w) * 16 * 4);
        read(0, GLint(view.h) - 16, GLsizei(view.w), 16, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        return rows;
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

} // namespace
