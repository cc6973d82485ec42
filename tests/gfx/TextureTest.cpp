#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/ImageFile.h"
#include "pngwriter/PngWriter.h"
#include "tests/gfx/GlWorld.h"
#include "tests/support/Printers.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

class TextureTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { GlWorld::get().openScreen(); }

    // Opaque, every pixel different: red from x, green from y.
    static std::vector<uint32_t> pattern(int width, int height) {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(0xFF000055u | uint32_t(x * 2 % 256) << 16 |
                                 uint32_t(y * 4 % 256) << 8);
        return pixels;
    }

    GlWorld& world = GlWorld::get();
    Renderer& gl = Renderer::get();
};

TEST_F(TextureTest, SidesAreRoundedUpToPowersOfTwoWithTransparentBlackPadding) {
    const std::vector<uint32_t> image = pattern(100, 37);
    TexCoords window = {9, 9, 9, 9};
    const uint32_t texture = world.uploadPng("pattern.png", 100, 37, image, window);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(window, (TexCoords{0, 0, 0.78125f, 0.578125f}));

    GLint bound = 0;
    world.glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(uint32_t(bound), texture) << "the new texture is left bound";
    int width = 0;
    int height = 0;
    const std::vector<uint32_t> texels = world.boundTexels(width, height);
    ASSERT_EQ(width, 128);
    ASSERT_EQ(height, 64);
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            const uint32_t expected = x < 100 && y < 37 ? image[size_t(y) * 100 + size_t(x)] : 0;
            const uint32_t actual = texels[size_t(y) * 128 + size_t(x)];
            if (actual != expected && ++wrong <= 5)
                ADD_FAILURE() << "texel (" << x << ", " << y << ") is " << std::hex << actual
                              << ", not " << expected;
        }
    EXPECT_EQ(wrong, 0);

    // Drawn through its window at its own size, the image lands pixel for pixel.
    world.clearTo(0x0000FF);
    Screen::get().drawQuad(texture, &window, Rect{10, 20, 100, 37});
    const TexCoords whole = {0, 0, 1, 1};
    Screen::get().drawQuad(texture, &whole, Rect{10, 100, 128, 64});
    const std::vector<uint32_t> pixels = world.readWindow();
    wrong = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            const bool inside = x < 100 && y < 37;
            const uint32_t source = inside ? image[size_t(y) * 100 + size_t(x)] & 0xFFFFFF : 0;
            const uint32_t padded = pixels[size_t(100 + y) * windowWidth + size_t(10 + x)];
            if (padded != (inside ? source : 0x0000FFu) && ++wrong <= 5)
                ADD_FAILURE() << "full texture pixel (" << x << ", " << y << ") is " << std::hex
                              << padded;
            if (inside && pixels[size_t(20 + y) * windowWidth + size_t(10 + x)] != source &&
                ++wrong <= 5)
                ADD_FAILURE() << "image pixel (" << x << ", " << y << ") misplaced";
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(TextureTest, SidesThatArePowersOfTwoStay) {
    struct Case {
        int width, height, textureWidth, textureHeight;
        TexCoords window;
    };
    const Case cases[] = {
        {1, 1, 1, 1, {0, 0, 1, 1}},
        {256, 256, 256, 256, {0, 0, 1, 1}},
        {64, 1, 64, 1, {0, 0, 1, 1}},
        {3, 5, 4, 8, {0, 0, 0.75f, 0.625f}},
        {2, 129, 2, 256, {0, 0, 1, 129.0f / 256.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height));
        const std::vector<uint32_t> image = pattern(c.width, c.height);
        TexCoords window;
        const uint32_t texture = world.uploadPng("side.png", c.width, c.height, image, window);
        ASSERT_NE(texture, 0u);
        EXPECT_EQ(window, c.window);
        int width = 0;
        int height = 0;
        const std::vector<uint32_t> texels = world.boundTexels(width, height);
        EXPECT_EQ(width, c.textureWidth);
        EXPECT_EQ(height, c.textureHeight);
        EXPECT_EQ(texels[0], image[0]);
        EXPECT_EQ(texels[size_t(c.height - 1) * size_t(width) + size_t(c.width - 1)], image.back());
    }
}

TEST_F(TextureTest, KeepsTheSurfacesAlphaSettingsAndEachPixelsAlpha) {
    // Fully transparent, half, opaque: the copy must carry each pixel's own alpha.
    const std::vector<uint32_t> image = {0x00FF0000, 0x8000FF00, 0xFF0000FF, 0x00000000};
    ASSERT_TRUE(writePng(world.folder() + "/alpha.png", 4, 1, image));
    SDL_Surface* surface = loadImage("alpha.png");
    ASSERT_NE(surface, nullptr);
    const Uint32 alphaBits = SDL_SRCALPHA | SDL_RLEACCELOK;

    for (const Uint8 perSurface : {Uint8(77), Uint8(255)}) {
        SCOPED_TRACE(int(perSurface));
        ASSERT_EQ(SDL_SetAlpha(surface, SDL_SRCALPHA, perSurface), 0);
        const Uint32 flags = surface->flags & alphaBits;
        ASSERT_TRUE(flags & SDL_SRCALPHA);
        const Uint8 alpha = surface->format->alpha;

        TexCoords window;
        const uint32_t texture = gl.uploadSurface(surface, window);
        ASSERT_NE(texture, 0u);
        EXPECT_EQ(surface->flags & alphaBits, flags);
        EXPECT_EQ(surface->format->alpha, alpha);

        int width = 0;
        int height = 0;
        const std::vector<uint32_t> texels = world.boundTexels(width, height);
        ASSERT_EQ(width, 4);
        EXPECT_EQ(texels[0] >> 24, 0u) << "transparent stays transparent";
        EXPECT_EQ(texels[1], image[1]);
        EXPECT_EQ(texels[2], image[2]);
        EXPECT_EQ(texels[3] >> 24, 0u);
    }

    // Switched off, it stays off.
    ASSERT_EQ(SDL_SetAlpha(surface, 0, 0), 0);
    TexCoords window;
    gl.uploadSurface(surface, window);
    EXPECT_FALSE(surface->flags & SDL_SRCALPHA);
    int width = 0;
    int height = 0;
    const std::vector<uint32_t> texels = world.boundTexels(width, height);
    EXPECT_EQ(texels[1], image[1]);
    SDL_FreeSurface(surface);
}

TEST_F(TextureTest, ADecodedImageGoesUpPaddedAndLeftAsItWas) {
    ASSERT_TRUE(writePng(world.folder() + "/sized.png", 100, 37, pattern(100, 37)));
    SDL_Surface* image = readImage("sized.png");
    ASSERT_NE(image, nullptr);
    TexCoords window;
    const UploadOptions decoded = {"sized.png", 0, UploadFrom::Decoded};
    const uint32_t texture = gl.upload(image, window, decoded);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(window, (TexCoords{0, 0, 0.78125f, 0.578125f}));
    EXPECT_EQ(image->w, 100) << "the caller's image is neither freed nor changed";
    int width = 0;
    int height = 0;
    world.boundTexels(width, height);
    EXPECT_EQ(width, 128);
    EXPECT_EQ(height, 64);

    EXPECT_NE(gl.upload(image, window, decoded), texture) << "each upload makes a new texture";
    SDL_FreeSurface(image);
}

TEST_F(TextureTest, AnUploadIntoATextureRefillsThatTexture) {
    const std::vector<uint32_t> first = pattern(4, 4);
    const std::vector<uint32_t> second(16, 0xFF102030u);
    TexCoords window;
    const uint32_t texture = world.uploadPng("first.png", 4, 4, first, window);
    ASSERT_NE(texture, 0u);
    ASSERT_TRUE(writePng(world.folder() + "/second.png", 4, 4, second));
    for (const UploadFrom source : {UploadFrom::Surface, UploadFrom::Decoded}) {
        SDL_Surface* image = readImage("second.png");
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(gl.upload(image, window, {"second.png", texture, source}), texture);
        SDL_FreeSurface(image);
        int width = 0;
        int height = 0;
        const std::vector<uint32_t> texels = world.boundTexels(width, height);
        ASSERT_EQ(texels.size(), 16u);
        EXPECT_EQ(texels[5], second[5]);
    }
}

TEST_F(TextureTest, NoImageGivesTextureZeroSilently) {
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    TexCoords window = {1, 2, 3, 4};
    EXPECT_EQ(gl.upload(nullptr, window, {"absent.png", 0, UploadFrom::Decoded}), 0u);
    EXPECT_EQ(window, (TexCoords{0, 0, 0, 0}));
    window = {1, 2, 3, 4};
    EXPECT_EQ(gl.uploadSurface(nullptr, window), 0u);
    EXPECT_EQ(window, (TexCoords{0, 0, 0, 0}));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

} // namespace
