// Maps are converted a band of rows at a time; each band must hold exactly the rows of the
// whole image's conversion, whatever the image's own layout.

#include "level/SwatchColor.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<uint32_t> pixelsOf(SDL_Surface* surface) {
    std::vector<uint32_t> pixels;
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(
            static_cast<const Uint8*>(surface->pixels) + size_t(y) * surface->pitch);
        pixels.insert(pixels.end(), row, row + surface->w);
    }
    SDL_UnlockSurface(surface);
    return pixels;
}

void expectBandsMatchTheWhole(SDL_Surface* image, int bandRows) {
    SDL_Surface* whole = convertToDisplayLayout(image);
    ASSERT_NE(whole, nullptr);
    const std::vector<uint32_t> expected = pixelsOf(whole);
    SDL_FreeSurface(whole);
    std::vector<uint32_t> banded;
    for (int row = 0; row < image->h; row += bandRows) {
        SDL_Surface* band =
            convertRowsToDisplayLayout(image, row, std::min(bandRows, image->h - row));
        ASSERT_NE(band, nullptr);
        const std::vector<uint32_t> pixels = pixelsOf(band);
        banded.insert(banded.end(), pixels.begin(), pixels.end());
        SDL_FreeSurface(band);
    }
    EXPECT_EQ(banded, expected);
}

TEST(BandConversion, RgbaRowsWithEveryAlphaMatchTheWholeConversion) {
    // The byte order IMG_Load gives an RGBA PNG.
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, 13, 10, 32, 0x000000FF,
                                              0x0000FF00, 0x00FF0000, 0xFF000000);
    ASSERT_NE(image, nullptr);
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            reinterpret_cast<uint32_t*>(static_cast<Uint8*>(image->pixels) +
                                        size_t(y) * image->pitch)[x] =
                uint32_t((y * 29) & 0xFF) << 24 | uint32_t(x * 19) << 16 | uint32_t(y * 7) << 8 |
                uint32_t(x + y);
    expectBandsMatchTheWhole(image, 3);
    SDL_FreeSurface(image);
}

TEST(BandConversion, PalettedRowsKeepTheirPaletteAndColourKey) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 9, 7, 8, 0, 0, 0, 0);
    ASSERT_NE(image, nullptr);
    SDL_Color colours[4] = {{10, 20, 30, 0}, {200, 100, 50, 0}, {0, 255, 0, 0}, {1, 2, 3, 0}};
    SDL_SetColors(image, colours, 0, 4);
    SDL_SetColorKey(image, SDL_SRCCOLORKEY, 3);
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            static_cast<Uint8*>(image->pixels)[size_t(y) * image->pitch + x] = Uint8((x + y) % 4);
    expectBandsMatchTheWhole(image, 2);
    SDL_FreeSurface(image);
}

TEST(BandConversion, RowsOutsideTheImageGiveNothing) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_EQ(convertRowsToDisplayLayout(image, 3, 2), nullptr);
    EXPECT_EQ(convertRowsToDisplayLayout(image, -1, 2), nullptr);
    EXPECT_EQ(convertRowsToDisplayLayout(image, 0, 0), nullptr);
    EXPECT_EQ(convertRowsToDisplayLayout(nullptr, 0, 1), nullptr);
    SDL_FreeSurface(image);
}

} // namespace
