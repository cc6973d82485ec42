#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "tests/gfx/GlWorld.h"

#include <gtest/gtest.h>

namespace {

class FontTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { GlWorld::get().openScreen(); }

    void SetUp() override {
        world.clearTo(background);
        gl.glColor4f(1, 1, 1, 1);
    }

    // Checks that the glyph of `code` lies with its top-left corner at (x, y), texel for
    // pixel, over the columns [from, to) of its cell.
    ::testing::AssertionResult glyphAt(const std::vector<uint32_t>& pixels, bool small, int code,
                                       int x, int y, int from, int to) {
        const int height = small ? 16 : 32;
        for (int row = 0; row < height; ++row)
            for (int column = from; column < to; ++column) {
                const uint32_t expected = GlWorld::fontTexel(small, code - 32, column, row);
                const uint32_t actual = pixels[size_t(y + row) * windowWidth + size_t(x + column)];
                if (actual != expected)
                    return ::testing::AssertionFailure()
                           << "glyph " << code << " texel (" << column << ", " << row << ") at ("
                           << x + column << ", " << y + row << ") is " << std::hex << actual
                           << ", not " << expected;
            }
        return ::testing::AssertionSuccess();
    }

    // Every pixel of the rectangle [x0, x1) by [y0, y1) is background.
    ::testing::AssertionResult untouched(const std::vector<uint32_t>& pixels, int x0, int y0,
                                         int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (pixels[size_t(y) * windowWidth + size_t(x)] != background)
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") was drawn";
        return ::testing::AssertionSuccess();
    }

    static constexpr uint32_t background = 0x000000;
    GlWorld& world = GlWorld::get();
    Renderer& gl = Renderer::get();
};

TEST_F(FontTest, EachFontIsABlockOf96ListsBigFontFirst) {
    for (const uint32_t first : {gl.bigFontLists, gl.smallFontLists}) {
        ASSERT_NE(first, 0u);
        for (uint32_t i = 0; i < 96; ++i)
            EXPECT_TRUE(world.glIsList(first + i)) << "list " << first << " + " << i;
    }
    EXPECT_GE(gl.smallFontLists, gl.bigFontLists + 96);
    EXPECT_NE(gl.bigFontTexture, 0u);
    EXPECT_NE(gl.smallFontTexture, 0u);
    EXPECT_NE(gl.bigFontTexture, gl.smallFontTexture);
}

TEST_F(FontTest, AFontDrawsTheImageItsCallerGivesAndWithoutOneTextureZero) {
    const uint32_t lists = gl.smallFontLists;
    EXPECT_EQ(gl.setFontImage(true, nullptr, "none"), 0u);
    EXPECT_EQ(gl.smallFontTexture, 0u);
    EXPECT_NE(gl.bigFontTexture, 0u) << "the other font keeps its image";
    gl.drawText(10, 20, "AB", true);
    GLint bound = -1;
    world.glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "text without an image draws with texture 0";
    // Texture 0 leaves the glyphs' quads in the current colour, white.
    std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_EQ(pixels[size_t(20) * windowWidth + 10], 0xFFFFFFu);

    // The same lists draw the glyphs of the image given next.
    world.clearTo(background);
    ASSERT_NE(world.giveFontImage(true), 0u);
    EXPECT_EQ(gl.smallFontLists, lists);
    gl.drawText(10, 20, "AB", true);
    pixels = world.readWindow();
    EXPECT_TRUE(glyphAt(pixels, true, 'A', 10, 20, 0, 7));
    EXPECT_TRUE(glyphAt(pixels, true, 'B', 17, 20, 0, 8));
}

TEST_F(FontTest, SmallFontGlyphsOverlapByOneColumn) {
    gl.drawText(10, 20, "AB", true);
    const std::vector<uint32_t> pixels = world.readWindow();
    // A covers x 10..17; B starts 7 pixels on and paints over A's last column.
    EXPECT_TRUE(glyphAt(pixels, true, 'A', 10, 20, 0, 7));
    EXPECT_TRUE(glyphAt(pixels, true, 'B', 17, 20, 0, 8));
    EXPECT_TRUE(untouched(pixels, 9, 19, 26, 20));
    EXPECT_TRUE(untouched(pixels, 9, 36, 26, 37));
    EXPECT_TRUE(untouched(pixels, 9, 20, 10, 36));
    EXPECT_TRUE(untouched(pixels, 25, 20, 26, 36));
}

TEST_F(FontTest, BigFontSecondGlyphStartsFifteenPixelsOn) {
    gl.drawText(0, 0, "AB", false);
    const std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_TRUE(glyphAt(pixels, false, 'A', 0, 0, 0, 15));
    EXPECT_TRUE(glyphAt(pixels, false, 'B', 15, 0, 0, 16));
    EXPECT_TRUE(untouched(pixels, 31, 0, 32, 33));
    EXPECT_TRUE(untouched(pixels, 0, 32, 32, 33));
}

TEST_F(FontTest, SpaceIsAGlyphAndAZeroByteEndsTheText) {
    gl.drawText(10, 20, " A", true);
    gl.drawText(10, 60, std::string("A\0B", 3), true);
    const std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_TRUE(glyphAt(pixels, true, ' ', 10, 20, 0, 7));
    EXPECT_TRUE(glyphAt(pixels, true, 'A', 17, 20, 0, 8));
    EXPECT_TRUE(glyphAt(pixels, true, 'A', 10, 60, 0, 8));
    EXPECT_TRUE(untouched(pixels, 18, 60, 30, 76));
}

TEST_F(FontTest, BytesWithoutAGlyphStayInTheChosenFont) {
    // Below 32 and above 127 would call lists of the other font, or none; they draw as '?'.
    gl.drawText(10, 20, "\x0A\xC8\x7F\x01", true);
    gl.drawText(10, 100, "\x1F\x80", false);
    const std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_TRUE(glyphAt(pixels, true, '?', 10, 20, 0, 7));
    EXPECT_TRUE(glyphAt(pixels, true, '?', 17, 20, 0, 7));
    EXPECT_TRUE(glyphAt(pixels, true, 127, 24, 20, 0, 7));
    EXPECT_TRUE(glyphAt(pixels, true, '?', 31, 20, 0, 8));
    EXPECT_TRUE(untouched(pixels, 39, 20, 60, 36));
    EXPECT_TRUE(glyphAt(pixels, false, '?', 10, 100, 0, 15));
    EXPECT_TRUE(glyphAt(pixels, false, '?', 25, 100, 0, 16));
}

TEST_F(FontTest, TextIgnoresAndKeepsTheCallersMatrices) {
    gl.glTranslated(5, 7, 0);
    gl.glDisable(GL_DEPTH_TEST);
    GLdouble projection[16];
    world.glGetDoublev(GL_PROJECTION_MATRIX, projection);

    for (const char* text : {"A", ""}) {
        SCOPED_TRACE(text);
        gl.drawText(10, 20, text, true);
        GLdouble after[16];
        world.glGetDoublev(GL_MODELVIEW_MATRIX, after);
        EXPECT_EQ(after[12], 5.0);
        EXPECT_EQ(after[13], 7.0);
        world.glGetDoublev(GL_PROJECTION_MATRIX, after);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(after[i], projection[i]);
        GLint value = 0;
        world.glGetIntegerv(GL_MATRIX_MODE, &value);
        EXPECT_EQ(GLenum(value), GL_MODELVIEW);
        world.glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
        EXPECT_EQ(uint32_t(value), gl.smallFontTexture);
        EXPECT_TRUE(world.glIsEnabled(GL_DEPTH_TEST));
        gl.glDisable(GL_DEPTH_TEST);
    }
    gl.glEnable(GL_DEPTH_TEST);
    gl.glLoadIdentity();

    const std::vector<uint32_t> pixels = world.readWindow();
    EXPECT_TRUE(glyphAt(pixels, true, 'A', 10, 20, 0, 8));
    EXPECT_TRUE(untouched(pixels, 18, 20, 30, 40));
}

TEST_F(FontTest, LabelsAreBlackWithGlyphTops14PixelsAboveY) {
    world.clearTo(0xFFFFFF);
    Screen::get().drawLabel("AB", 50, 23);
    GLfloat colour[4];
    world.glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);

    // A quad drawn next shows its texture's own colours.
    TexCoords window;
    const uint32_t red = world.uploadPng("red.png", 1, 1, {0xFFFF0000}, window);
    Screen::get().drawQuad(red, &window, Rect{100, 100, 10, 10});

    const std::vector<uint32_t> pixels = world.readWindow();
    for (int y = 8; y <= 25; ++y)
        for (int x = 49; x <= 65; ++x) {
            const bool glyph = y >= 9 && y <= 24 && x >= 50 && x <= 64;
            EXPECT_EQ(pixels[size_t(y) * windowWidth + size_t(x)], glyph ? 0u : 0xFFFFFFu)
                << "(" << x << ", " << y << ")";
        }
    EXPECT_EQ(pixels[size_t(105) * windowWidth + 105], 0xFF0000u);
}

} // namespace
