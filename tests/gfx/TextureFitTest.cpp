#include "gfx/TextureFit.h"

#include <SDL_video.h>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// A 32-bit surface in texel layout, red from x and green from y, opaque.
SDL_Surface* pattern(int w, int h) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, texelMasks[0], texelMasks[1],
                                              texelMasks[2], texelMasks[3]);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t texel[4] = {uint8_t(x), uint8_t(y), 0x55, 0xFF};
            std::memcpy(static_cast<uint8_t*>(image->pixels) + y * image->pitch + x * 4, texel, 4);
        }
    return image;
}

// The texel at (x, y) of a buffer `tw` texels wide, as 0xRRGGBBAA.
uint32_t texelAt(const uint8_t* texels, int tw, int x, int y) {
    const uint8_t* t = texels + (size_t(y) * size_t(tw) + size_t(x)) * 4;
    return uint32_t(t[0]) << 24 | uint32_t(t[1]) << 16 | uint32_t(t[2]) << 8 | t[3];
}

TEST(TextureFit, SidesRoundUpToPowersOfTwoAndScaleOnlyPastTheLimits) {
    for (const auto& [side, expected] : {std::pair{0, 1}, {1, 1}, {3, 4}, {64, 64}, {65, 128}})
        EXPECT_EQ(textureSide(side), expected) << side;
    struct Case {
        int w, h, maxSide;
        long long budget;
        TextureFit fit;
    };
    const Case cases[] = {
        {100, 37, 2048, 1 << 20, {100, 37, 128, 64, false}},
        {2048, 1, 2048, 1 << 20, {2048, 1, 2048, 1, false}},
        // Too wide a side: the largest scaling whose side fits, aspect kept.
        {5000, 100, 2048, 1LL << 26, {2048, 41, 2048, 64, true}},
        // Too many texels: both sides shrink alike until the texture keeps within the budget.
        {3000, 3000, 16384, 1LL << 20, {1024, 1024, 1024, 1024, true}},
        // Never below one pixel.
        {100000, 1, 64, 1LL << 26, {64, 1, 64, 1, true}},
    };
    for (const Case& c : cases) {
        const TextureFit fit = TextureFit::of(c.w, c.h, c.maxSide, c.budget);
        EXPECT_EQ(std::tie(fit.w, fit.h, fit.tw, fit.th, fit.scaled),
                  std::tie(c.fit.w, c.fit.h, c.fit.tw, c.fit.th, c.fit.scaled))
            << c.w << "x" << c.h;
        EXPECT_LE(fit.tw, c.maxSide);
        EXPECT_LE((long long)fit.tw * fit.th, c.budget);
    }
}

TEST(TextureFit, TexelsAreTheNearestPixelsWithTransparentBlackPadding) {
    SDL_Surface* image = pattern(6, 3);
    EXPECT_TRUE(inTexelLayout(image));
    const std::unique_ptr<uint8_t[]> padded = paddedTexels(image);
    EXPECT_EQ(texelAt(padded.get(), 8, 5, 2), 0x050255FFu);
    EXPECT_EQ(texelAt(padded.get(), 8, 6, 0), 0u);
    EXPECT_EQ(texelAt(padded.get(), 8, 0, 3), 0u);

    // Halved: each texel is the pixel at the centre of the two it stands for, rounded up.
    const TextureFit half = {3, 1, 4, 1, true};
    const std::unique_ptr<uint8_t[]> scaled = scaledTexels(image, half);
    EXPECT_EQ(texelAt(scaled.get(), 4, 0, 0), 0x010155FFu);
    EXPECT_EQ(texelAt(scaled.get(), 4, 1, 0), 0x030155FFu);
    EXPECT_EQ(texelAt(scaled.get(), 4, 2, 0), 0x050155FFu);
    EXPECT_EQ(texelAt(scaled.get(), 4, 3, 0), 0u);
    SDL_FreeSurface(image);
}

TEST(TextureFit, PaletteAndColourKeyedPixelsBecomeTexels) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 8, 0, 0, 0, 0);
    SDL_Color colours[2] = {{0x12, 0x34, 0x56, 0}, {0xAB, 0xCD, 0xEF, 0}};
    SDL_SetColors(image, colours, 0, 2);
    static_cast<uint8_t*>(image->pixels)[0] = 0;
    static_cast<uint8_t*>(image->pixels)[1] = 1;
    EXPECT_FALSE(inTexelLayout(image));
    SDL_SetColorKey(image, SDL_SRCCOLORKEY, 0);
    const std::unique_ptr<uint8_t[]> texels = scaledTexels(image, {2, 1, 2, 1, false});
    EXPECT_EQ(texelAt(texels.get(), 2, 0, 0), 0u);
    EXPECT_EQ(texelAt(texels.get(), 2, 1, 0), 0xABCDEFFFu);
    SDL_FreeSurface(image);
}

} // namespace
