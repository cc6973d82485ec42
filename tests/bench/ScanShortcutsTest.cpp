// The level scan's shortcuts against the long way round, on real PNG files in a real window:
// an image uploaded straight from its decoded pixels must give the texture that converting it
// to the display's format and back gives, and a swatch decoded once must give the colour and
// the swatch sprite that decoding it twice gives.

#include "app/Fonts.h"
#include "app/ImageSources.h"
#include "app/Level.h"
#include "drive/XServer.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/ImageFile.h"
#include "platform/RegularFile.h"
#include "pngwriter/PngWriter.h"
#include "sprites/SpriteCatalog.h"
#include "tests/support/Paths.h"
#include "tests/support/Printers.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

// Present only in sanitizer builds.
extern "C" void __lsan_do_leak_check() __attribute__((weak));

namespace {

constexpr GLenum GL_RGBA_ = 0x1908;
constexpr GLenum GL_TEXTURE_WIDTH_ = 0x1000;
constexpr GLenum GL_TEXTURE_HEIGHT_ = 0x1001;

// One X server and one window for the program, in a folder of its own with the demo fonts.
class WindowEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        server_ = std::make_unique<XServer>();
        server_->makeCurrent();
        char name[] = "/tmp/levelcolors-shortcuts-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder_ = name;
        fs::create_directories(folder_ + "/fonts");
        for (const char* font : {"fonts/bigFont.png", "fonts/smallFont.png"})
            fs::copy_file(sourceRoot() + "/demo/" + font, folder_ + "/" + font);
        ASSERT_EQ(chdir(folder_.c_str()), 0);
        Screen::get();
        Fonts::load();
        static FileImages files; // as the viewer reads them
        SpriteCatalog::get().use({&files, openRegularFile, nullptr, false});
    }
    void TearDown() override {
        // Leaks are judged while the GL driver is still loaded, so that its own blocks can be
        // named by the suppressions; SDL then ends while its X server still runs.
        if (__lsan_do_leak_check)
            __lsan_do_leak_check();
        SDL_Quit();
        server_.reset();
        fs::remove_all(folder_);
    }

  private:
    std::unique_ptr<XServer> server_;
    std::string folder_;
};

const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new WindowEnvironment);

struct Texels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;
};

// Level 0 of a texture as GL holds it, read back through entry points the viewer never uses.
Texels readTexture(uint32_t texture) {
    using GetLevel = void (*)(GLenum, GLint, GLenum, GLint*);
    using GetImage = void (*)(GLenum, GLint, GLenum, GLenum, void*);
    static const auto getLevel =
        reinterpret_cast<GetLevel>(SDL_GL_GetProcAddress("glGetTexLevelParameteriv"));
    static const auto getImage = reinterpret_cast<GetImage>(SDL_GL_GetProcAddress("glGetTexImage"));
    Texels texels;
    Renderer::get().glBindTexture(GL_TEXTURE_2D, texture);
    getLevel(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH_, &texels.width);
    getLevel(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT_, &texels.height);
    texels.bytes.resize(size_t(texels.width) * size_t(texels.height) * 4);
    getImage(GL_TEXTURE_2D, 0, GL_RGBA_, GL_UNSIGNED_BYTE, texels.bytes.data());
    return texels;
}

// The long way: the image in the display's format, then copied into a staging surface.
uint32_t uploadThroughDisplayFormat(const std::string& path, TexCoords& window) {
    SDL_Surface* image = loadImage(path);
    const uint32_t texture = Renderer::get().uploadSurface(image, window);
    SDL_FreeSurface(image);
    return texture;
}

// The short way: the image as its file decoded it.
uint32_t uploadDecoded(const std::string& path, TexCoords& window) {
    SDL_Surface* image = readImage(path);
    const uint32_t texture = Renderer::get().upload(image, window, {path, 0, UploadFrom::Decoded});
    SDL_FreeSurface(image);
    return texture;
}

// Every channel value, transparent pixels with colour in them, and pixels half see-through.
std::vector<uint32_t> awkwardPixels(int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t alpha = i % 3 == 0 ? 0 : i % 3 == 1 ? 0x80 : 0xFF;
        pixels[i] = alpha << 24 | uint32_t(i * 2654435761u) >> 8;
    }
    return pixels;
}

void expectSameTexture(uint32_t shortcut, const TexCoords& shortcutWindow, uint32_t longWay,
                       const TexCoords& longWindow) {
    ASSERT_NE(shortcut, 0u);
    ASSERT_NE(longWay, 0u);
    EXPECT_EQ(shortcutWindow, longWindow);
    const Texels a = readTexture(shortcut);
    const Texels b = readTexture(longWay);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_TRUE(a.bytes == b.bytes) << "the texels differ";
}

TEST(UploadShortcut, PngImagesGiveTheTexturesOfTheDisplayFormatRoute) {
    const std::pair<int, int> sizes[] = {{1, 1}, {100, 37}, {256, 256}, {64, 200}, {3, 5}, {17, 1}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const std::string path = "awkward.png";
        ASSERT_TRUE(writePng(path, width, height, awkwardPixels(width, height)));
        TexCoords shortcutWindow, longWindow;
        const uint32_t shortcut = uploadDecoded(path, shortcutWindow);
        expectSameTexture(shortcut, shortcutWindow, uploadThroughDisplayFormat(path, longWindow),
                          longWindow);
    }
}

TEST(UploadShortcut, ImagesWithoutAlphaStillTakeTheDisplayFormatRoute) {
    // A 24-bit picture: no alpha to copy, so the conversion must add opaque alpha.
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_NE(rgb, nullptr);
    for (int i = 0; i < rgb->pitch * rgb->h; ++i)
        static_cast<uint8_t*>(rgb->pixels)[i] = uint8_t(i * 37);
    ASSERT_EQ(SDL_SaveBMP(rgb, "rgb.bmp"), 0);
    SDL_FreeSurface(rgb);
    TexCoords shortcutWindow, longWindow;
    const uint32_t shortcut = uploadDecoded("rgb.bmp", shortcutWindow);
    expectSameTexture(shortcut, shortcutWindow, uploadThroughDisplayFormat("rgb.bmp", longWindow),
                      longWindow);
    EXPECT_EQ(readTexture(shortcut).bytes[3], 0xFF) << "alpha of the first texel";
}

TEST(SwatchShortcut, EachSwatchGivesTheColourAndSpriteOfReadingItTwice) {
    fs::create_directories("textures");
    fs::create_directories("characters");
    fs::create_directories("levels");
    ASSERT_TRUE(writePng("textures/wall.png", 20, 10, awkwardPixels(20, 10)));
    // A swatch larger than it is drawn, with a see-through pixel at its top-left corner.
    ASSERT_TRUE(writePng("textures/wall_p.png", 12, 9, awkwardPixels(12, 9)));
    ASSERT_TRUE(writeFlatPng("characters/hero_p.png", 8, 8, 0xFF123456));
    std::ofstream("characters/hero.txt") << "(character)\n";
    ASSERT_TRUE(writeFlatPng("levels/walkbehind_p.png", 8, 8, 0xFF123456));
    ASSERT_TRUE(writeFlatPng("levels/walkinto_p.png", 8, 8, 0xFF654321));

    loadLevel();

    const std::pair<const char*, const char*> files[] = {{"textures/wall_p.png", "texture"},
                                                         {"characters/hero_p.png", "object"}};
    ASSERT_EQ(levelColors.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const std::string path = files[i].first;
        SCOPED_TRACE(path);
        const std::optional<uint32_t> colour = readSwatchColor(path);
        ASSERT_TRUE(colour);
        EXPECT_EQ(levelColors[i], *colour);
        Sprite* swatch = swatchByColor[*colour];
        ASSERT_NE(swatch, nullptr);
        EXPECT_EQ(getSprite(path), swatch) << "the catalogue's image sprite for the name";
        EXPECT_EQ(swatch->getName(), path);
        EXPECT_EQ(swatch->facing, -1);
        SDL_Surface* image = loadImage(path);
        ASSERT_NE(image, nullptr);
        const Rect imageSize = {0, 0, uint16_t(image->w), uint16_t(image->h)};
        SDL_FreeSurface(image);
        EXPECT_EQ(swatch->placement, (Rect{0, 0, 8, 8}));
        EXPECT_EQ(swatch->box, imageSize);
        TexCoords longWindow;
        expectSameTexture(swatch->uploadedTexture(), swatch->texCoords,
                          uploadThroughDisplayFormat(path, longWindow), longWindow);
    }
    // The hero's colour is also the walk-behind colour: its swatch is the hero's.
    EXPECT_EQ(swatchByColor[*walkBehindColor], getSprite("characters/hero_p.png"));
}

} // namespace
