#include "gfx/Screen.h"
#include "drive/ChildProcess.h"
#include "gfx/Renderer.h"
#include "gfx/WindowTitle.h"
#include "tests/gfx/GlWorld.h"
#include "tests/support/Printers.h"

#include <SDL.h>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class ScreenTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { GlWorld::get().openScreen(); }

    // An opaque (or not) one-colour texture.
    uint32_t solid(const char* name, uint32_t argb) {
        TexCoords window;
        return world.uploadPng(name, 1, 1, {argb}, window);
    }

    GlWorld& world = GlWorld::get();
    Screen& screen = Screen::get();
    Renderer& gl = Renderer::get();
    const TexCoords whole = {0, 0, 1, 1};
};

uint32_t at(const std::vector<uint32_t>& pixels, int x, int y) {
    return pixels[size_t(y) * windowWidth + size_t(x)];
}

// Every pixel of the rectangle (x0, y0)..(x1, y1), ends excluded, has the colour.
::testing::AssertionResult filled(const std::vector<uint32_t>& pixels, int x0, int y0, int x1,
                                  int y1, uint32_t rgb) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (at(pixels, x, y) != rgb)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << at(pixels, x, y)
                       << ", not " << rgb;
    return ::testing::AssertionSuccess();
}

TEST_F(ScreenTest, IsOneWindowOfFixedSize) {
    // Asked for again, it is the same window, opened once.
    Screen* first = &Screen::get();
    Renderer* firstRenderer = &Renderer::get();
    EXPECT_EQ(&Screen::get(), first);
    EXPECT_EQ(&Renderer::get(), firstRenderer);
    std::string windows;
    ASSERT_EQ(
        runCommand({"xdotool", "search", "--name", std::string("^") + windowTitle + "$"}, &windows),
        0);
    EXPECT_EQ(std::count(windows.begin(), windows.end(), '\n'), 1) << windows;
    EXPECT_EQ(screen.view, (Rect{0, 0, 300, 800}));
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "SDL Dynamic OpenGL Loading Test");
    EXPECT_STREQ(icon, "testdyngl");
    const SDL_Surface* video = SDL_GetVideoSurface();
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->w, 300);
    EXPECT_EQ(video->h, 800);
    EXPECT_TRUE(video->flags & SDL_OPENGL);
}

TEST_F(ScreenTest, LeavesTheTwoDimensionalState) {
    GLint viewport[4];
    world.glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 300);
    EXPECT_EQ(viewport[3], 800);

    GLint value = 0;
    world.glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(GLenum(value), GL_MODELVIEW);
    GLdouble m[16];
    world.glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_DOUBLE_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << "model-view element " << i;
    // Pixels, origin top-left, y down: x 0..300 -> -1..1, y 0..800 -> 1..-1.
    world.glGetDoublev(GL_PROJECTION_MATRIX, m);
    const double ortho[16] = {2.0 / 300, 0, 0, 0, 0, -2.0 / 800, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], ortho[i], 1e-6) << "projection element " << i;

    EXPECT_TRUE(world.glIsEnabled(GL_BLEND));
    world.glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(GLenum(value), GL_SRC_ALPHA);
    world.glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(GLenum(value), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_TRUE(world.glIsEnabled(GL_DEPTH_TEST));
    world.glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(GLenum(value), GL_LEQUAL);
    GLfloat clear[4];
    world.glGetFloatv(GL_DEPTH_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 1.0f);
    world.glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);
    EXPECT_EQ(clear[1], 0.0f);
    EXPECT_EQ(clear[2], 0.0f);
    EXPECT_EQ(clear[3], 0.5f);
    EXPECT_TRUE(world.glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(world.glIsEnabled(GL_CULL_FACE));
    world.glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(GLenum(value), GL_SMOOTH);
    world.glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(GLenum(value), GL_NICEST);
}

TEST_F(ScreenTest, FullWindowQuadCoversTheWindowOnePixelPerUnit) {
    // Four texels, one per quarter of the window: the image is stretched, not tiled or flipped.
    TexCoords window;
    const uint32_t texture = world.uploadPng(
        "quarters.png", 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00}, window);
    ASSERT_EQ(window, whole);
    world.clearTo(0x000000);
    screen.drawQuad(texture, &window, Rect{0, 0, uint16_t(screen.view.w), screen.view.h});
    const std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_TRUE(filled(pixels, 0, 0, 150, 400, 0xFF0000));
    EXPECT_TRUE(filled(pixels, 150, 0, 300, 400, 0x00FF00));
    EXPECT_TRUE(filled(pixels, 0, 400, 150, 800, 0x0000FF));
    EXPECT_TRUE(filled(pixels, 150, 400, 300, 800, 0xFFFF00));
}

TEST_F(ScreenTest, RowsZeroAndLastAreTheWindowsEdges) {
    const uint32_t red = solid("red.png", 0xFFFF0000);
    const uint32_t green = solid("green.png", 0xFF00FF00);
    world.clearTo(0x000000);
    screen.drawQuad(red, &whole, Rect{0, 0, 300, 1});
    screen.drawQuad(green, &whole, Rect{0, 799, 300, 1});
    const std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_TRUE(filled(pixels, 0, 0, 300, 1, 0xFF0000));
    EXPECT_TRUE(filled(pixels, 0, 1, 300, 799, 0x000000));
    EXPECT_TRUE(filled(pixels, 0, 799, 300, 800, 0x00FF00));
}

TEST_F(ScreenTest, LaterQuadsPaintOverEarlierOnesWithAlphaBlending) {
    const uint32_t red = solid("red.png", 0xFFFF0000);
    const uint32_t halfBlue = solid("half-blue.png", 0x800000FF);
    const uint32_t clear = solid("clear.png", 0x00FFFFFF);
    const uint32_t green = solid("green.png", 0xFF00FF00);
    world.clearTo(0x000000);
    screen.drawQuad(red, &whole, Rect{0, 0, 100, 100});
    screen.drawQuad(halfBlue, &whole, Rect{0, 0, 50, 100});
    screen.drawQuad(clear, &whole, Rect{0, 0, 100, 100});
    screen.drawQuad(green, &whole, Rect{0, 50, 100, 50});
    const std::vector<uint32_t> pixels = world.readWindow();
    const uint32_t blended = at(pixels, 10, 10);
    EXPECT_NEAR(int(blended >> 16), 0x7F, 1) << std::hex << blended;
    EXPECT_EQ((blended >> 8) & 0xFF, 0u);
    EXPECT_NEAR(int(blended & 0xFF), 0x80, 1) << std::hex << blended;
    EXPECT_TRUE(filled(pixels, 0, 0, 50, 50, blended));
    EXPECT_TRUE(filled(pixels, 50, 0, 100, 50, 0xFF0000));
    EXPECT_TRUE(filled(pixels, 0, 50, 100, 100, 0x00FF00));
}

TEST_F(ScreenTest, QuadsInViewAreCulledAtTheWindowsEdges) {
    const uint32_t white = solid("white.png", 0xFFFFFFFF);
    const uint32_t red = solid("red.png", 0xFFFF0000);
    struct Culled {
        Rect rect;
        const char* what;
    };
    const Culled culled[] = {
        {{300, 10, 20, 20}, "touching the right edge"},
        {{-20, 10, 20, 20}, "touching the left edge"},
        {{10, 800, 20, 20}, "touching the bottom edge"},
        {{10, -20, 20, 20}, "touching the top edge"},
        {{-32768, -32768, 65535, 10}, "far above"},
    };
    world.clearTo(0x000000);
    for (const Culled& c : culled) {
        // Culling comes before any GL call: the bound texture stays the one bound before.
        gl.glBindTexture(GL_TEXTURE_2D, red);
        screen.drawQuadInView(white, &whole, c.rect);
        GLint bound = 0;
        world.glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(uint32_t(bound), red) << c.what;
    }
    EXPECT_TRUE(filled(world.readWindow(), 0, 0, 300, 800, 0x000000));

    screen.drawQuadInView(white, &whole, Rect{299, 10, 20, 20});
    screen.drawQuadInView(white, &whole, Rect{-20, 100, 21, 20});
    screen.drawQuadInView(white, &whole, Rect{40, -20, 20, 21});
    screen.drawQuadInView(white, &whole, Rect{80, 799, 20, 20});
    const std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_TRUE(filled(pixels, 299, 10, 300, 30, 0xFFFFFF));
    EXPECT_TRUE(filled(pixels, 298, 0, 299, 800, 0x000000));
    EXPECT_TRUE(filled(pixels, 299, 9, 300, 10, 0x000000));
    EXPECT_TRUE(filled(pixels, 299, 30, 300, 31, 0x000000));
    EXPECT_TRUE(filled(pixels, 0, 100, 1, 120, 0xFFFFFF));
    EXPECT_TRUE(filled(pixels, 1, 100, 2, 120, 0x000000));
    EXPECT_TRUE(filled(pixels, 40, 0, 60, 1, 0xFFFFFF));
    EXPECT_TRUE(filled(pixels, 40, 1, 60, 2, 0x000000));
    EXPECT_TRUE(filled(pixels, 80, 799, 100, 800, 0xFFFFFF));
    EXPECT_TRUE(filled(pixels, 80, 798, 100, 799, 0x000000));
}

TEST_F(ScreenTest, QuadInViewInsideTheWindowDrawsLikeAQuad) {
    const uint32_t white = solid("white.png", 0xFFFFFFFF);
    world.clearTo(0x000000);
    screen.drawQuadInView(white, &whole, Rect{10, 20, 30, 40});
    const std::vector<uint32_t> inView = world.readWindow();
    world.clearTo(0x000000);
    screen.drawQuad(white, &whole, Rect{10, 20, 30, 40});
    EXPECT_EQ(inView, world.readWindow());
    EXPECT_TRUE(filled(inView, 10, 20, 40, 60, 0xFFFFFF));
}

} // namespace
