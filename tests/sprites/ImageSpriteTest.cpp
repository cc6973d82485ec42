#include "pngwriter/PngWriter.h"
#include "sprites/ShowOneSprite.h"
#include "sprites/SpriteCatalog.h"
#include "tests/sprites/SpriteTesting.h"

#include <vector>

namespace {

// A fresh image sprite: the left half red, the right half blue.
Sprite* halves(const std::string& name, int width, int height) {
    writeImage(name, width, height, red, blue);
    return getSprite(name);
}

TEST(ImageSprite, DrawsItsImageLessItsOriginAtOneTexelPerPixel) {
    Sprite* sprite = halves("img_origin.png", 16, 16);
    ASSERT_NE(sprite, nullptr);
    sprite->placement = {3, 5, 16, 16};
    clearWindow();
    sprite->draw(100, 50, 0);
    const Screenshot shot = readWindow();
    EXPECT_EQ(boundsOf(shot, red), (Rect{97, 45, 8, 16}));
    EXPECT_EQ(boundsOf(shot, blue), (Rect{105, 45, 8, 16}));
}

TEST(ImageSprite, FacingOneMirrorsTheImageAboutTheBoxAndRestoresTheWindow) {
    Sprite* sprite = halves("img_mirror.png", 16, 16);
    ASSERT_NE(sprite, nullptr);
    sprite->placement = {3, 5, 16, 16};
    const TexCoords window = sprite->texCoords;

    sprite->facing = 1;
    clearWindow();
    sprite->draw(100, 50, 0);
    Screenshot shot = readWindow();
    // x offset 16 - 16 - 3: the quad covers 103 to 119, right half first.
    EXPECT_EQ(boundsOf(shot, blue), (Rect{103, 45, 8, 16}));
    EXPECT_EQ(boundsOf(shot, red), (Rect{111, 45, 8, 16}));
    EXPECT_EQ(sprite->texCoords, window);
    EXPECT_EQ(sprite->placement, (Rect{3, 5, 16, 16}));

    // A wider box moves the mirrored image to the box's far side: 16 - 40 - 3 = -27.
    sprite->box.w = 40;
    clearWindow();
    sprite->draw(100, 50, 0);
    shot = readWindow();
    EXPECT_EQ(boundsOf(shot, blue), (Rect{127, 45, 8, 16}));
    EXPECT_EQ(boundsOf(shot, red), (Rect{135, 45, 8, 16}));

    // Any value but 1 draws as the image is.
    sprite->facing = 0;
    clearWindow();
    sprite->draw(100, 50, 0);
    EXPECT_EQ(boundsOf(readWindow(), red), (Rect{97, 45, 8, 16}));
}

TEST(ImageSprite, ModeOneDrawsInViewCoordinatesWithCullingAndOtherModesNothing) {
    Sprite* sprite = halves("img_modes.png", 20, 20);
    ASSERT_NE(sprite, nullptr);
    clearWindow();
    sprite->draw(30, 40, 1);
    EXPECT_EQ(boundsOf(readWindow(), red), (Rect{30, 40, 10, 20}));

    // Only touching the window's right edge: culled.
    clearWindow();
    sprite->draw(300, 40, 1);
    sprite->draw(-20, 40, 1);
    EXPECT_TRUE(isBlank(readWindow()));
    clearWindow();
    sprite->draw(299, 40, 1);
    EXPECT_EQ(boundsOf(readWindow(), red), (Rect{299, 40, 1, 20}));

    const Rect placement = sprite->placement;
    const Rect box = sprite->box;
    const TexCoords window = sprite->texCoords;
    for (DrawMode mode : {DrawMode(2), DrawMode(3), DrawMode(255)}) {
        clearWindow();
        sprite->draw(30, 40, mode);
        EXPECT_TRUE(isBlank(readWindow())) << int(mode);
    }
    EXPECT_EQ(sprite->placement, placement);
    EXPECT_EQ(sprite->box, box);
    EXPECT_EQ(sprite->texCoords, window);
    EXPECT_EQ(sprite->facing, -1);
}

TEST(ImageSprite, PositionsKeepTheirLowSixteenBits) {
    Sprite* sprite = halves("img_wrap.png", 10, 10);
    ASSERT_NE(sprite, nullptr);
    clearWindow();
    sprite->draw(65536 + 40, 65536 * 3 + 60, 0);
    EXPECT_EQ(boundsOf(readWindow(), red), (Rect{40, 60, 5, 10}));
}

TEST(ImageSprite, DrawCroppedShowsTheTopLeftPixelsUnscaledInViewCoordinates) {
    // Every pixel of the image has its own colour: red from x, green from y.
    std::vector<uint32_t> pixels(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            pixels[size_t(y) * 32 + size_t(x)] =
                opaque(uint32_t(8 * x) << 16 | uint32_t(8 * y) << 8 | 0x40);
    ASSERT_TRUE(writePng("img_cropped.png", 32, 32, pixels));
    Sprite* sprite = getSprite("img_cropped.png");
    ASSERT_NE(sprite, nullptr);
    const TexCoords window = sprite->texCoords;
    ASSERT_EQ(window, (TexCoords{0, 0, 1, 1}));

    clearWindow();
    sprite->drawCropped(10, 20, Rect{123, -4, 16, 8});
    const Screenshot shot = readWindow();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(shot.at(10 + x, 20 + y), uint32_t(8 * x) << 16 | uint32_t(8 * y) << 8 | 0x40)
                << x << ", " << y;
    EXPECT_EQ(shot.at(26, 20), black);
    EXPECT_EQ(shot.at(10, 28), black);
    EXPECT_EQ(sprite->placement, (Rect{0, 0, 32, 32}));
    EXPECT_EQ(sprite->texCoords, window);

    // In view coordinates: culled when outside.
    clearWindow();
    sprite->drawCropped(300, 20, Rect{0, 0, 16, 8});
    EXPECT_TRUE(isBlank(readWindow()));
}

TEST(ImageSprite, OriginsSetByShowOneFilesAreSharedAndTheLastFileLoadedWins) {
    writeImage("img_shared.png", 20, 40, red);
    writeText("img_first.txt", "(showone (sprite (filename img_shared.png) (origin 4 8)))");
    writeText("img_second.txt", "(showone\n (sprite (filename img_shared.png) (origin 10 30)))");
    Sprite* first = getSprite("img_first.txt");
    Sprite* image = getSprite("img_shared.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->placement, (Rect{4, 8, 20, 40}));
    Sprite* second = getSprite("img_second.txt");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(image->placement, (Rect{10, 30, 20, 40}));
    EXPECT_EQ(image->box, (Rect{0, 0, 20, 40}));

    // The top-left corner lands at (50 - 10, 20 - 30), whoever draws it.
    for (Sprite* drawer : {image, first, second}) {
        clearWindow();
        drawer->draw(50, 20, 0);
        EXPECT_EQ(boundsOf(readWindow(), red), (Rect{40, 0, 20, 30})) << drawer->getName();
    }
}

} // namespace
