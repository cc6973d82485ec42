// Maps read straight through libpng (platform/PngPixels) hold, word for word, what the image
// library and the display conversion made of them before: for each kind a map may be saved as.
// The display conversion needs a window, so the comparison runs here on a real X server.

#include "platform/PngPixels.h"
#include "drive/XServer.h"
#include "gfx/Screen.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "pngwriter/PngWriter.h"

#include <SDL.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>

namespace {

// A PNG of any kind through libpng: `rows` packed as the kind stores them.
struct Kind {
    const char* name;
    int colourType, depth;
    bool interlaced;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha; // the palette's tRNS
    bool keyed;                         // a tRNS colour: grey 0 / 0x12 or RGB 0x123456
};

bool writeKind(const std::string& path, const Kind& kind, int width, int height) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), kind.depth, kind.colourType,
                 kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!kind.palette.empty())
        png_set_PLTE(png, info, kind.palette.data(), int(kind.palette.size()));
    png_color_16 key = {};
    key.gray = kind.depth == 16 ? 0x1234 : 0x12 >> (8 - std::min(kind.depth, 8));
    key.red = kind.depth == 16 ? 0x1212 : 0x12;
    key.green = kind.depth == 16 ? 0x3434 : 0x34;
    key.blue = kind.depth == 16 ? 0x5656 : 0x56;
    if (!kind.paletteAlpha.empty() || kind.keyed)
        png_set_tRNS(png, info, kind.paletteAlpha.data(), int(kind.paletteAlpha.size()), &key);
    png_write_info(png, info);
    // Every row a ramp of sample values through the bytes, the keyed colour among them.
    const size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_byte> row(rowBytes);
    const int passes = kind.interlaced ? png_set_interlace_handling(png) : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y) {
            for (size_t i = 0; i < rowBytes; ++i)
                row[i] = png_byte(i * 37 + size_t(y) * 11);
            if (kind.colourType == PNG_COLOR_TYPE_PALETTE) {
                for (size_t i = 0; i < rowBytes; ++i)
                    row[i] = png_byte((i + size_t(y)) % kind.palette.size());
            }
            if (kind.keyed && kind.colourType == PNG_COLOR_TYPE_RGB && kind.depth == 8 && y == 1) {
                row[0] = 0x12;
                row[1] = 0x34;
                row[2] = 0x56;
            }
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

std::vector<uint32_t> throughTheImageLibrary(const std::string& path) {
    const OwnedSurface image(loadImage(path));
    std::vector<uint32_t> pixels;
    if (!image || image->format->BytesPerPixel != 4)
        return pixels;
    SDL_LockSurface(image.get());
    for (int y = 0; y < image->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(image->pixels) + size_t(y) * size_t(image->pitch));
        pixels.insert(pixels.end(), row, row + image->w);
    }
    SDL_UnlockSurface(image.get());
    return pixels;
}

std::vector<png_color> palette(int entries) {
    std::vector<png_color> colours;
    for (int i = 0; i < entries; ++i)
        colours.push_back({png_byte(i * 41), png_byte(255 - i * 13), png_byte(i * 7 + 3)});
    return colours;
}

TEST(PngPixels, EveryKindOfMapHoldsWhatTheImageLibraryAndTheDisplayConversionMadeOfIt) {
    XServer server;
    server.makeCurrent();
    Screen::get();
    const Kind kinds[] = {
        {"RGBA", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, {}, {}, false},
        {"RGB", PNG_COLOR_TYPE_RGB, 8, false, {}, {}, false},
        {"RGB, a transparent colour", PNG_COLOR_TYPE_RGB, 8, false, {}, {}, true},
        {"RGBA, 16 bits", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {}, {}, false},
        {"RGB, 16 bits", PNG_COLOR_TYPE_RGB, 16, false, {}, {}, false},
        {"RGB, interlaced", PNG_COLOR_TYPE_RGB, 8, true, {}, {}, false},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, false, palette(20), {}, false},
        {"palette, one entry transparent",
         PNG_COLOR_TYPE_PALETTE,
         8,
         false,
         palette(20),
         {255, 255, 0, 255},
         false},
        {"palette, translucent",
         PNG_COLOR_TYPE_PALETTE,
         8,
         false,
         palette(20),
         {0, 128, 0, 7},
         false},
        {"palette, 4 bits", PNG_COLOR_TYPE_PALETTE, 4, false, palette(16), {}, false},
        {"grey", PNG_COLOR_TYPE_GRAY, 8, false, {}, {}, false},
        {"grey, 2 bits", PNG_COLOR_TYPE_GRAY, 2, false, {}, {}, false},
        {"grey, 16 bits", PNG_COLOR_TYPE_GRAY, 16, false, {}, {}, false},
        {"grey and alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {}, {}, false},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        ASSERT_TRUE(writeKind("kind.png", kind, 13, 5));
        const std::vector<uint32_t> expected = throughTheImageLibrary("kind.png");
        ASSERT_EQ(expected.size(), 13u * 5u);
        int width = 0, height = 0;
        std::vector<uint32_t> pixels(7, 1u); // storage of another map, let go
        ASSERT_TRUE(readPngPixels("kind.png", width, height, pixels));
        EXPECT_EQ(width, 13);
        EXPECT_EQ(height, 5);
        EXPECT_EQ(pixels, expected);
    }
    // Left to the image library, which keys their transparent colour by rules of its own: a
    // grey and a 16-bit image with one. And no PNG at all, or a broken one.
    const Kind keyedByTheLibrary[] = {
        {"grey, a transparent colour", PNG_COLOR_TYPE_GRAY, 8, false, {}, {}, true},
        {"RGB 16 bits, a transparent colour", PNG_COLOR_TYPE_RGB, 16, false, {}, {}, true},
    };
    for (const Kind& kind : keyedByTheLibrary) {
        SCOPED_TRACE(kind.name);
        ASSERT_TRUE(writeKind("kind.png", kind, 13, 5));
        int width = 0, height = 0;
        std::vector<uint32_t> pixels(7, 1u);
        EXPECT_FALSE(readPngPixels("kind.png", width, height, pixels));
        EXPECT_TRUE(pixels.empty());
    }
    ASSERT_TRUE(writeKind("kind.png", kinds[0], 13, 5));
    std::FILE* cut = std::fopen("kind.png", "r+b");
    ASSERT_NE(cut, nullptr);
    std::fseek(cut, 60, SEEK_SET);
    std::fputs("not the image's bytes", cut);
    std::fclose(cut);
    for (const char* path : {"kind.png", "absent.png", "."}) {
        int width = 0, height = 0;
        std::vector<uint32_t> pixels;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(readPngPixels(path, width, height, pixels)) << path;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << path;
    }
    std::remove("kind.png");
    SDL_Quit();
}

TEST(PngPixels, AMapWiderThanAnImageSurfaceIsRead) {
    // 16,384 across: one more than a surface's rows hold.
    ASSERT_TRUE(writePngRows("wide.png", maxPngPixelsSide, 2, [](int y, uint32_t* row) {
        for (int x = 0; x < maxPngPixelsSide; ++x)
            row[x] = 0xFF000000u | uint32_t(x) << 8 | uint32_t(y);
    }));
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(readPngPixels("wide.png", width, height, pixels));
    EXPECT_EQ(width, maxPngPixelsSide);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(pixels[size_t(maxPngPixelsSide) + 16383], 0xFF3FFF01u);
    std::remove("wide.png");
}

} // namespace
