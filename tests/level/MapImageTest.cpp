// A map read with its kind and saved keeping it where its colours allow: each kind written by
// libpng as other encoders write it, read, edited, saved, read back, and decoded by the image
// library the viewer reads maps with.

#include "level/MapImageReader.h"
#include "level/MapImageWriter.h"
#include "level/MapKindChoice.h"
#include "level/NewMap.h"
#include "level/SwatchColor.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "pngwriter/PngWriter.h"
#include "pngwriter/RawPng.h"

#include <SDL.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The pixels as the image library decodes them, in the level's colour layout.
std::vector<uint32_t> decodedBySdl(const std::string& path) {
    const OwnedSurface image(readImage(path));
    const OwnedSurface converted(image ? convertToDisplayLayout(image.get()) : nullptr);
    std::vector<uint32_t> pixels;
    if (!converted)
        return pixels;
    SDL_LockSurface(converted.get());
    for (int y = 0; y < converted->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(converted->pixels) + size_t(y) * converted->pitch);
        pixels.insert(pixels.end(), row, row + converted->w);
    }
    SDL_UnlockSurface(converted.get());
    return pixels;
}

// Equal as the level reads them: a pixel whose alpha is 0 is empty whatever its colour.
void expectSameMapPixels(const std::vector<uint32_t>& seen, const std::vector<uint32_t>& given) {
    ASSERT_EQ(seen.size(), given.size());
    for (size_t i = 0; i < seen.size(); ++i)
        if (seen[i] != given[i] && (seen[i] >> 24 != 0 || given[i] >> 24 != 0))
            ADD_FAILURE() << "pixel " << i << ": " << std::hex << seen[i] << " for " << given[i];
}

std::vector<std::string> lines(const DiagnosticList& sink) {
    std::vector<std::string> written;
    for (const Diagnostic& diagnostic : sink.items)
        written.push_back(diagnostic.written());
    return written;
}

class MapImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/levelcolors-mapimage-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string folder;
};

RawPng png(int width, int height, int colourType, int bitDepth, std::vector<uint8_t> samples,
           std::vector<uint32_t> palette = {}) {
    RawPng file;
    file.width = width;
    file.height = height;
    file.colourType = colourType;
    file.bitDepth = bitDepth;
    file.samples = std::move(samples);
    file.palette = std::move(palette);
    return file;
}

RawPng withText(RawPng file) {
    file.text = {{"Author", "a level designer"}};
    file.internationalText = {{"Title", "Karte \xc3\xa9t\xc3\xa9"}};
    return file;
}

RawPng withColourChunks(RawPng file) {
    file.colourChunks = true;
    return file;
}

constexpr uint32_t red = 0xFFFF0000u, green = 0xFF00C800u, empty = 0u, grey = 0xFF555555u;

// A 2 by 2 map of each kind: its samples, the pixels they read as, one edit, and the kind it
// is saved as with the lines that says so.
TEST_F(MapImageTest, EachKindIsKeptWhileItsColoursAllowAndDecodesToTheColoursGiven) {
    const std::string note = "colour-management chunks dropped (gAMA, cHRM): markers are raw "
                             "sample values";
    const struct {
        const char* name;
        RawPng file;
        std::vector<uint32_t> read; // the pixels the file holds
        MapColourType readType;
        std::function<void(MapImage&)> edit;
        MapColourType savedType;
        int savedDepth;
        std::vector<uint32_t> savedPalette;
        std::vector<std::string> lines; // after "<path>: "
    } cases[] = {
        {"RGBA stays RGBA, text kept",
         withText(png(2, 2, 6, 8, {255, 0, 0, 255, 0, 200, 0, 128, 0, 0, 0, 0, 85, 85, 85, 255})),
         {red, 0x8000C800u, empty, grey},
         MapColourType::Rgba,
         [](MapImage& map) { map.pixels[2] = green; },
         MapColourType::Rgba,
         8,
         {},
         {}},
        {"RGB stays RGB",
         png(2, 2, 2, 8, {255, 0, 0, 0, 200, 0, 85, 85, 85, 255, 0, 0}),
         {red, green, grey, red},
         MapColourType::Rgb,
         [](MapImage& map) { map.pixels[3] = 0xFF010203u; },
         MapColourType::Rgb,
         8,
         {},
         {}},
        {"RGB with a pixel emptied turns RGBA",
         png(2, 2, 2, 8, {255, 0, 0, 0, 200, 0, 85, 85, 85, 255, 0, 0}),
         {red, green, grey, red},
         MapColourType::Rgb,
         [](MapImage& map) { map.pixels[0] = empty; },
         MapColourType::Rgba,
         8,
         {},
         {}},
        {"palette appends a colour, keeps its entries and tRNS",
         png(2, 2, 3, 8, {0, 1, 2, 1}, {red, 0x00000000u, green}),
         {red, empty, green, empty},
         MapColourType::Palette,
         [](MapImage& map) { map.pixels[3] = 0x80102030u; },
         MapColourType::Palette,
         8,
         {red, 0x00000000u, green, 0x80102030u},
         {}},
        {"a 1-bit palette grows to 2 bits",
         png(2, 2, 3, 1, {0x40, 0x80}, {red, green}),
         {red, green, green, red},
         MapColourType::Palette,
         [](MapImage& map) { map.pixels[1] = grey; },
         MapColourType::Palette,
         2,
         {red, green, grey},
         {}},
        {"grey stays grey",
         png(2, 2, 0, 8, {0, 85, 255, 85}),
         {0xFF000000u, grey, 0xFFFFFFFFu, grey},
         MapColourType::Grey,
         [](MapImage& map) { map.pixels[0] = 0xFF121212u; },
         MapColourType::Grey,
         8,
         {},
         {}},
        {"2-bit grey keeps its depth while its levels do",
         png(2, 2, 0, 2, {0x10, 0xB0}),
         {0xFF000000u, grey, 0xFFAAAAAAu, 0xFFFFFFFFu},
         MapColourType::Grey,
         [](MapImage& map) { map.pixels[0] = 0xFFAAAAAAu; },
         MapColourType::Grey,
         2,
         {},
         {}},
        {"grey with a pixel emptied turns grey with alpha",
         png(2, 2, 0, 8, {0, 85, 255, 85}),
         {0xFF000000u, grey, 0xFFFFFFFFu, grey},
         MapColourType::Grey,
         [](MapImage& map) { map.pixels[1] = empty; },
         MapColourType::GreyAlpha,
         8,
         {},
         {}},
        {"grey painted red turns RGB",
         png(2, 2, 0, 8, {0, 85, 255, 85}),
         {0xFF000000u, grey, 0xFFFFFFFFu, grey},
         MapColourType::Grey,
         [](MapImage& map) { map.pixels[1] = red; },
         MapColourType::Rgb,
         8,
         {},
         {}},
        {"grey with alpha stays so",
         png(2, 2, 4, 8, {85, 255, 85, 0, 0, 255, 255, 128}),
         {grey, 0x00555555u, 0xFF000000u, 0x80FFFFFFu},
         MapColourType::GreyAlpha,
         [](MapImage& map) { map.pixels[0] = 0x40777777u; },
         MapColourType::GreyAlpha,
         8,
         {},
         {}},
        {"16-bit samples keep their high byte and are saved at 8 bits",
         png(2, 1, 6, 16, {255, 1, 0, 2, 0, 3, 255, 255, 0, 0, 0x10, 0xFF, 0, 0, 128, 1}),
         {red, 0x80001000u},
         MapColourType::Rgba,
         [](MapImage&) {},
         MapColourType::Rgba,
         8,
         {},
         {"a 16-bit map, saved at 8 bits"}},
        // A gamma of 0.7 applied would move every sample; none is applied.
        {"colour management is neither applied nor kept",
         withColourChunks(png(2, 1, 2, 8, {255, 0, 0, 85, 85, 85})),
         {red, grey},
         MapColourType::Rgb,
         [](MapImage&) {},
         MapColourType::Rgb,
         8,
         {},
         {note}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder + "/map.png";
        ASSERT_TRUE(writeRawPng(path, c.file));
        std::string reason;
        std::optional<MapImage> map = readMapImage(path, reason);
        ASSERT_TRUE(map) << reason;
        EXPECT_EQ(map->pixels, c.read);
        EXPECT_EQ(map->kind.type, c.readType);
        EXPECT_EQ(map->kind.bitDepth, c.file.bitDepth);
        c.edit(*map);
        const std::vector<uint32_t> edited = map->pixels;

        DiagnosticList sink;
        std::string problem;
        ASSERT_TRUE(saveMapImage(path, *map, {}, sink, problem)) << problem;
        std::vector<std::string> expectedLines;
        for (const std::string& line : c.lines)
            expectedLines.push_back(path + ": " + line);
        EXPECT_EQ(lines(sink), expectedLines);
        EXPECT_EQ(map->kind.type, c.savedType);
        std::optional<MapImage> saved = readMapImage(path, reason);
        ASSERT_TRUE(saved) << reason;
        EXPECT_EQ(saved->pixels, edited);
        EXPECT_EQ(saved->kind.type, c.savedType);
        EXPECT_EQ(saved->kind.bitDepth, c.savedDepth);
        EXPECT_EQ(saved->kind.palette, c.savedPalette);
        EXPECT_TRUE(saved->kind.colourManagement.empty());
        ASSERT_EQ(saved->kind.text.size(), c.file.text.size() + c.file.internationalText.size());
        for (size_t i = 0; i < c.file.text.size(); ++i)
            EXPECT_EQ(saved->kind.text[i].text, c.file.text[i].second);
        if (!c.file.internationalText.empty()) {
            EXPECT_TRUE(saved->kind.text.back().international);
            EXPECT_EQ(saved->kind.text.back().key, c.file.internationalText[0].first);
            EXPECT_EQ(saved->kind.text.back().text, c.file.internationalText[0].second);
        }
        expectSameMapPixels(decodedBySdl(path), edited);

        // Saved again, the map is what it was saved as: nothing more to say.
        DiagnosticList again;
        ASSERT_TRUE(saveMapImage(path, *map, {}, again, problem)) << problem;
        EXPECT_TRUE(again.items.empty());
    }
}

// A palette full of entries the map no longer uses makes room in their slots; more than 256
// colours in use leave the palette.
TEST(MapKindChoice, APaletteReusesUnusedSlotsAndGivesWayPast256Colours) {
    MapImage map;
    map.width = 3;
    map.height = 1;
    map.kind.type = MapColourType::Palette;
    for (uint32_t i = 0; i < 256; ++i)
        map.kind.palette.push_back(0xFF000000u | i);
    map.pixels = {0xFF000000u, 0xFF000002u, red};
    const MapImage::Kind kept = savedKind(map);
    EXPECT_EQ(kept.type, MapColourType::Palette);
    ASSERT_EQ(kept.palette.size(), 256u);
    EXPECT_EQ(kept.palette[0], 0xFF000000u);
    EXPECT_EQ(kept.palette[1], red);
    EXPECT_EQ(kept.palette[2], 0xFF000002u);

    map.width = 257;
    map.pixels.clear();
    for (uint32_t i = 0; i < 257; ++i)
        map.pixels.push_back(0xFF000000u | i << 8);
    EXPECT_EQ(savedKind(map).type, MapColourType::Rgb);
    map.pixels[0] = empty;
    EXPECT_EQ(savedKind(map).type, MapColourType::Rgba);
}

TEST_F(MapImageTest, WhatCannotBeReadAsAMapSaysWhy) {
    const std::string text = folder + "/text.png", huge = folder + "/huge.png";
    FILE* file = std::fopen(text.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("no image", file);
    std::fclose(file);
    ASSERT_TRUE(
        writePngRows(huge, 16385, 1, [](int, uint32_t* row) { std::fill(row, row + 16385, red); }));
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {folder + "/absent.png", "No such file or directory"},
        {folder, "not a regular file"},
        {text, "not a PNG image"},
        {huge, "16385x1 pixels, more than 16384 a side"},
    };
    for (const auto& c : cases) {
        std::string reason;
        EXPECT_FALSE(readMapImage(c.path, reason)) << c.path;
        EXPECT_EQ(reason, c.reason);
    }
}

TEST_F(MapImageTest, ANewMapIsTransparentRgbaAndNeverReplacesAFile) {
    const std::string path = folder + "/new.png";
    DiagnosticList sink;
    std::string problem;
    ASSERT_TRUE(createNewMap(path, {3, 2}, sink, problem)) << problem;
    std::string reason;
    const std::optional<MapImage> made = readMapImage(path, reason);
    ASSERT_TRUE(made) << reason;
    EXPECT_EQ(made->width, 3);
    EXPECT_EQ(made->height, 2);
    EXPECT_EQ(made->kind.type, MapColourType::Rgba);
    EXPECT_EQ(made->pixels, std::vector<uint32_t>(6, empty));

    const struct {
        MapSize size;
        std::string problem;
    } refused[] = {
        {{3, 2}, "already exists"},
        {{16385, 1}, "16385x1: more than 16384 pixels a side"},
        {{0, 5}, "0x5: a map needs at least one pixel a side"},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(createNewMap(path, c.size, sink, problem));
        EXPECT_EQ(problem, c.problem);
    }
    EXPECT_EQ(readMapImage(path, reason)->width, 3);
    EXPECT_TRUE(sink.items.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    const struct {
        const char* text;
        std::optional<std::pair<int, int>> size;
    } sizes[] = {{"64x48", std::pair{64, 48}},
                 {"16384x1", std::pair{16384, 1}},
                 {"64X48", {}},
                 {"-1x5", {}},
                 {"64x", {}},
                 {"1234567890x1", {}}};
    for (const auto& c : sizes) {
        const std::optional<MapSize> parsed = parseMapSize(c.text);
        ASSERT_EQ(parsed.has_value(), c.size.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(std::pair(parsed->width, parsed->height), *c.size);
        }
    }
}

} // namespace
