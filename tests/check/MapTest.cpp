// --map: colour counts of painted level images, checked against counts made here from the
// same pixels; images taller than one conversion band, huge and unreadable images.

#include "pngwriter/PngWriter.h"
#include "tests/check/CheckRun.h"
#include "tests/check/GoldenLevel.h"

#include <gtest/gtest.h>
#include <map>

namespace {

constexpr uint32_t grass = 0xFF00AA00;
constexpr uint32_t road = 0xFF555555;
constexpr uint32_t glass = 0x80AABBCC; // a translucent marker: map pixels must match its alpha

// A level with three textures: grass, road and a translucent glass.
void addMarkers(GoldenLevel& level) {
    level.make("textures/grass.png 4 4 00AA00");
    level.make("textures/grass_p.png 8 8 00AA00");
    level.make("textures/road.png 4 4 555555");
    level.make("textures/road_p.png 8 8 555555");
    level.make("textures/glass.png 4 4 AABBCC");
    level.make("textures/glass_p.png 8 8 80AABBCC");
    level.make("levels/walkbehind_p.png 8 8 123456");
    level.make("levels/walkinto_p.png 8 8 654321");
}

struct Expected {
    std::map<uint32_t, uint64_t> pixels;
    std::map<uint32_t, std::string> firstPositions;
};

Expected countPixels(const std::vector<uint32_t>& pixels, int width) {
    Expected expected;
    std::map<uint32_t, int> listed;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t colour = pixels[i];
        if ((colour >> 24) == 0) // unpainted pixels are no stray, and are not reported
            continue;
        ++expected.pixels[colour];
        if (listed[colour]++ < 5) {
            std::string& text = expected.firstPositions[colour];
            text += (text.empty() ? "" : " ") + std::to_string(int(i) % width) + "," +
                    std::to_string(int(i) / width);
        }
    }
    return expected;
}

// pixels per colour from the CSV: map rows for markers, stray problems for the rest.
std::map<uint32_t, uint64_t> reportedPixels(const std::string& csv, const std::string& map,
                                            std::map<uint32_t, std::string>* positions) {
    std::map<uint32_t, uint64_t> pixels;
    for (const auto& record : csvRecords(csv)) {
        const bool marker = record.at(0) == "map";
        const bool stray = record.at(0) == "problem" && record.at(1) == "stray";
        if ((marker || stray) && record.at(6) == map && !record.at(2).empty()) {
            if (std::stoull(record.at(7)) > 0)
                pixels[recordColour(record)] = std::stoull(record.at(7));
            if (stray && positions)
                (*positions)[recordColour(record)] = record.at(8);
        }
    }
    return pixels;
}

TEST(Maps, CountsEveryPixelAcrossConversionBandsWithExactAlpha) {
    GoldenLevel level;
    addMarkers(level);
    // 600 rows span three 256-row conversion bands; colours change at and near their edges.
    const int width = 37, height = 600;
    std::vector<uint32_t> pixels(size_t(width) * height, grass);
    for (int y = 255; y < 513; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y) * width + x] = road;
    pixels[size_t(256) * width + 3] = 0xFF565555;  // a stray one step from the road
    pixels[size_t(599) * width + 36] = 0xFFFF00FF; // the very last pixel
    pixels[size_t(300) * width + 0] = 0x00555555;  // the road's colour, fully transparent: empty
    for (int x = 5; x < 12; ++x)
        pixels[size_t(10) * width + x] = glass;  // the marker's own alpha: a match
    pixels[size_t(11) * width + 5] = 0xFFAABBCC; // glass's colour, opaque: no match
    for (int i = 0; i < 9; ++i)
        pixels[size_t(520 + i) * width + 20] = 0xFF010203; // more than five: first five listed
    ASSERT_TRUE(writePng(level.path() + "/painted.png", width, height, pixels));

    const CheckRun run = runCheck({"--format", "csv", "--map", "painted.png"}, level.path());
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 1); // stray colours, and the translucent glass swatch
    const Expected expected = countPixels(pixels, width);
    std::map<uint32_t, std::string> positions;
    EXPECT_EQ(reportedPixels(run.out, "painted.png", &positions), expected.pixels);
    for (const auto& [colour, text] : positions)
        EXPECT_EQ(text, expected.firstPositions.at(colour)) << std::hex << colour;
    EXPECT_EQ(positions.size(), 4u); // the strays; the transparent pixel is none
    EXPECT_EQ(positions.at(0xFF010203), "20,520 20,521 20,522 20,523 20,524");
}

TEST(Maps, TextNamesUnusedMarkersAndEachMapOnce) {
    GoldenLevel level;
    addMarkers(level);
    level.make("a.png 4 2 00AA00 dot 0,0 555555");
    level.make("b.png 2 2 555555");
    const CheckRun run =
        runCheck({"--map", "a.png", "--map", "b.png", "--map", "a.png", "--unused"}, level.path());
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 1); // the glass swatch is translucent
    const std::string& out = run.out;
    // Markers in legend order: the textures by name, then the collision colours.
    EXPECT_NE(out.find("\nmap a.png: 4 x 2, 8 pixels\n"
                       "       7  #00AA00           textures/grass.png\n"
                       "       1  #555555           textures/road.png\n"
                       "  3 of 5 marker colours unused\n"
                       "  never used: #AABBCC alpha 128 (textures/glass.png)\n"
                       "  never used: #123456 (levels/walkbehind_p.png)\n"
                       "  never used: #654321 (levels/walkinto_p.png)\n"
                       "\nmap b.png: 2 x 2, 4 pixels\n"
                       "       4  #555555           textures/road.png\n"
                       "  4 of 5 marker colours unused\n"
                       "  never used: #AABBCC alpha 128 (textures/glass.png)\n"
                       "  never used: #00AA00 (textures/grass.png)\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("map a.png", out.find("map a.png") + 1), std::string::npos);
}

TEST(Maps, AMapThatCannotBeReadIsOneLineAndStatusTwoWhileTheOthersAreReported) {
    GoldenLevel level;
    addMarkers(level);
    level.make("good.png 2 2 00AA00");
    level.make("torn.png corrupt");
    level.make("cut.png truncated");
    level.make("dir.png folder");
    level.make("notes.png text");
    const CheckRun run = runCheck({"--map", "good.png", "--map", "torn.png", "--map", "cut.png",
                                   "--map", "dir.png", "--map", "notes.png", "--map", "gone.png"},
                                  level.path());
    EXPECT_EQ(run.status, 2);
    const std::string expectedErr =
        "levelcolors-check: cannot read map torn.png: [20]is[20]: invalid chunk type\n"
        "levelcolors-check: cannot read map cut.png: [00][00][00][00]: invalid chunk type\n"
        "levelcolors-check: cannot read map dir.png: it is a folder\n"
        "levelcolors-check: cannot read map notes.png: Unsupported image format\n"
        "levelcolors-check: cannot read map gone.png: Couldn't open gone.png\n";
    EXPECT_EQ(run.err, expectedErr);
    EXPECT_NE(run.out.find("map good.png: 2 x 2"), std::string::npos);
    EXPECT_EQ(run.out.find("map torn.png"), std::string::npos);
}

TEST(Maps, APictureWithMoreColoursThanTrackedIsCountedInBoundedMemory) {
    GoldenLevel level;
    addMarkers(level);
    const int width = 300, height = 300; // 90,000 colours, all different
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0xFF000000u | uint32_t(i * 97);
    ASSERT_TRUE(writePng(level.path() + "/photo.png", width, height, pixels));
    const CheckRun run = runCheck({"--format", "csv", "--map", "photo.png"}, level.path());
    EXPECT_EQ(run.status, 1);
    size_t stray = 0;
    std::string summary;
    for (const auto& record : csvRecords(run.out)) {
        if (record.at(0) != "problem" || record.at(1) != "stray")
            continue;
        if (record.at(2).empty())
            summary = record.at(9); // the line for the colours past the limit
        else
            ++stray;
    }
    EXPECT_EQ(stray, 65536u);
    EXPECT_NE(summary.find("more than 65536 colours in photo.png: 24464 more pixels"),
              std::string::npos)
        << summary;
}

TEST(Maps, An8192By8192MapIsCheckedWhole) {
    GoldenLevel level;
    addMarkers(level);
    const int side = 8192;
    ASSERT_TRUE(writePngRows(level.path() + "/huge.png", side, side, [](int y, uint32_t* row) {
        for (int x = 0; x < side; ++x)
            row[x] = (x / 64 + y / 64) % 2 ? grass : road;
        if (y == side - 1)
            row[side - 1] = 0xFF000001;
    }));
    const CheckRun run = runCheck({"--map", "huge.png", "--near", "0"}, level.path());
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 1);
    const uint64_t half = uint64_t(side) * side / 2;
    EXPECT_NE(run.out.find("map huge.png: 8192 x 8192, 67108864 pixels\n"
                           "  " +
                           std::to_string(half) +
                           "  #00AA00           textures/grass.png\n"
                           "  " +
                           std::to_string(half - 1) + "  #555555           textures/road.png\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("stray colour #000001 in huge.png: 1 pixel, first at (8191,8191)"),
              std::string::npos);
}

} // namespace
