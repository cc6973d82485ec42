// The box filter that reduces art too large for its map cell: exact means of what each result
// pixel covers, alpha-weighted.

#include "app/BoxFilter.h"
#include "app/ReducedTextures.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint32_t> reduce(const std::vector<uint32_t>& pixels, int width, int toWidth,
                             int toHeight) {
    return boxFilter(pixels.data(), width, int(pixels.size()) / width, width, toWidth, toHeight);
}

TEST(BoxFilter, OnePixelStripesOfABackgroundBecomeOneEvenGreyInEveryPixel) {
    // 640 by 480 in columns of black and white, which nearest-neighbour sampling shows as
    // stripes or as either colour, by where a cell lies.
    std::vector<uint32_t> stripes(640 * 480);
    for (size_t i = 0; i < stripes.size(); ++i)
        stripes[i] = i % 2 ? 0xFFFFFFFFu : 0xFF000000u;
    for (const int side : {64, 16, 4, 1}) {
        const std::vector<uint32_t> cell = reduce(stripes, 640, side, side);
        ASSERT_EQ(cell.size(), size_t(side * side));
        for (const uint32_t pixel : cell)
            ASSERT_EQ(pixel, 0xFF808080u) << side; // 127.5, rounded up
    }
}

TEST(BoxFilter, EachResultPixelWeighsWhatItCoversOfEachSourcePixel) {
    const struct {
        std::vector<uint32_t> pixels;
        int width, toWidth, toHeight;
        std::vector<uint32_t> expected;
    } cases[] = {
        // 3 to 2: two thirds of the middle pixel's share go nowhere else.
        {{0xFF000000, 0xFF5A5A5A, 0xFFB4B4B4}, 3, 2, 1, {0xFF1E1E1E, 0xFF969696}},
        // Sizes kept: the pixels as they are.
        {{0xFF102030, 0x80405060}, 2, 2, 1, {0xFF102030, 0x80405060}},
        // A transparent pixel lends no colour, only its alpha.
        {{0xFFFF0000, 0x0000FF00}, 2, 1, 1, {0x80FF0000}},
        // Nothing opaque at all: 0.
        {{0x00FFFFFF, 0x00000000}, 2, 1, 1, {0x00000000}},
        // Down as well as across: a 2 by 2 block.
        {{0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF}, 2, 1, 1, {0xFF808080}},
        // Larger sides than the source's, and sides below 1, are the source's and 1.
        {{0xFF000000, 0xFFFFFFFF}, 2, 5, 0, {0xFF000000, 0xFFFFFFFF}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reduce(c.pixels, c.width, c.toWidth, c.toHeight), c.expected)
            << c.width << " to " << c.toWidth << " by " << c.toHeight;
    }
    EXPECT_TRUE(boxFilter(nullptr, 0, 0, 0, 4, 4).empty());
}

TEST(BoxFilter, RowsAreReadAPitchApart) {
    // Two rows of 2 pixels, each row padded with a pixel that must not count.
    const std::vector<uint32_t> padded = {0xFF000000, 0xFF000000, 0xFFFF0000,
                                          0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF0000};
    EXPECT_EQ(boxFilter(padded.data(), 2, 2, 3, 1, 1), std::vector<uint32_t>{0xFF808080});
}

TEST(ReducedTextures, OnlyArtLargerThanItsCellIsReducedAndOnlyWhereItIsLarger) {
    const std::vector<uint32_t> image(40 * 10, 0xFF204060);
    int w = 0, h = 0;
    // 40 by 10 in a 16 cell: narrowed to 16, its height kept.
    EXPECT_EQ(ReducedTextures::reduced(image.data(), 40, 10, 40, 16, w, h).size(), 160u);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 10);
    // In a 64 cell it fits: drawn as it is, nearest-neighbour.
    EXPECT_TRUE(ReducedTextures::reduced(image.data(), 40, 10, 40, 64, w, h).empty());
    EXPECT_TRUE(ReducedTextures::reduced(image.data(), 40, 10, 40, 40, w, h).empty());
}

} // namespace
