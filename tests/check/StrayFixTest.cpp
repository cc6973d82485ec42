// --fix-strays: the real levelcolors-check snapping a map's strays in place, its notes in the
// report, the map read back, and the maps it must leave alone.

#include "level/MapImageReader.h"
#include "pngwriter/RawPng.h"
#include "tests/check/CheckRun.h"
#include "tests/check/GoldenLevel.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace {

std::string bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// What tells a file rewritten from one left alone: its bytes, its inode and its times.
struct FileState {
    std::string bytes;
    ino_t inode = 0;
    timespec modified = {};

    explicit FileState(const std::string& path) : bytes(bytesOf(path)) {
        struct stat status = {};
        EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
        inode = status.st_ino;
        modified = status.st_mtim;
    }
    bool operator==(const FileState& other) const {
        return bytes == other.bytes && inode == other.inode &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

constexpr uint32_t sky = 0xFF55AAFF, ground = 0xFFAA5500, grass = 0xFF00AA00, moss = 0xFF02AA00;

// The golden level "advice" (see its images.txt): a blended row, a stray a step off the
// ground, a colour meant as grass beside grass and as moss beside moss, and one far from all.
const char* const adviceNotes = "notes:\n"
                                "  folder textures/balls/ holds 3 swatches that are not scanned: "
                                "the viewer reads only the files directly in textures/; move "
                                "those the level needs into textures/\n"
                                "  folder characters/old/ holds 1 object and 1 swatch that are "
                                "not scanned: the viewer reads only the files directly in "
                                "characters/; move those the level needs into characters/\n"
                                "  fixed painted.png: 8 pixels of #906E4C are now #AA5500 "
                                "(textures/ground.png)\n"
                                "  fixed painted.png: 1 pixel of #AD5702 is now #AA5500 "
                                "(textures/ground.png)\n"
                                "  fixed painted.png: 1 pixel of #01A904 is now #00AA00 "
                                "(textures/grass.png)\n"
                                "  fixed painted.png: 2 pixels of #01A904 are now #02AA00 "
                                "(textures/moss.png)\n";

TEST(FixStrays, SnapsEachStrayAsItsNeighboursSayAndLeavesTheFarOneAProblem) {
    GoldenLevel level("advice");
    const CheckRun run = runCheck({"--fix-strays", "--map", "painted.png"}, level.path());
    EXPECT_EQ(run.status, 1); // the far stray and the near pair remain
    // The test's images carry the chunks ordinary encoders write.
    EXPECT_EQ(run.err, "levelcolors-check: painted.png: colour-management chunks dropped (gAMA, "
                       "cHRM, sRGB): markers are raw sample values\n");
    EXPECT_NE(run.out.find(adviceNotes), std::string::npos) << run.out;
    // Counted after the fix: the far stray is the map's only one.
    EXPECT_NE(run.out.find("      16  #AA5500"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("stray colour #906E4C"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("stray colour #FF00FF in painted.png: 1 pixel, first at (7,5); it is "
                           "no marker colour, no marker within 12"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\n2 problems found\n"), std::string::npos) << run.out;

    std::string reason;
    const std::optional<MapImage> saved = readMapImage(level.path() + "/painted.png", reason);
    ASSERT_TRUE(saved) << reason;
    EXPECT_EQ(saved->kind.type, MapColourType::Rgba);
    EXPECT_EQ(saved->kind.bitDepth, 8);
    const std::vector<std::vector<uint32_t>> rows = {
        {sky, sky, sky, sky, sky, sky, sky, sky},
        {sky, sky, sky, sky, sky, sky, sky, sky},
        {ground, ground, ground, ground, ground, ground, ground, ground},
        {ground, ground, ground, ground, ground, ground, ground, ground},
        {grass, grass, grass, moss, moss, moss, moss, moss},
        {grass, grass, grass, moss, moss, moss, moss, 0xFFFF00FF},
    };
    ASSERT_EQ(saved->width, 8);
    ASSERT_EQ(saved->height, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(saved->at(x, y), rows[size_t(y)][size_t(x)]) << x << "," << y;

    // Nothing left to snap: the map is not written again, and nothing is noted.
    const FileState fixed(level.path() + "/painted.png");
    const CheckRun again = runCheck({"--fix-strays", "--map", "painted.png"}, level.path());
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.out.find("fixed painted.png"), std::string::npos) << again.out;
    EXPECT_TRUE(FileState(level.path() + "/painted.png") == fixed);
}

TEST(FixStrays, EveryFormatCarriesTheChangesAsNotes) {
    GoldenLevel level("advice");
    const CheckRun run =
        runCheck({"--format", "json", "--fix-strays", "--map", "painted.png"}, level.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(R"j({"kind": "fixed", "map": "painted.png", "colours": ["#906E4C", )j"
                           R"j("#AA5500"], "files": ["textures/ground.png"], "message": "fixed )j"
                           R"j(painted.png: 8 pixels of #906E4C are now #AA5500 )j"
                           R"j((textures/ground.png)", "pixels": 8, "first": [[0, 2], [1, 2], )j"
                           R"j([2, 2], [3, 2], [4, 2]]})j"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(R"j("message": "fixed painted.png: 2 pixels of #01A904 are now )j"
                           R"j(#02AA00 (textures/moss.png)", "pixels": 2, "first": [[5, 4], )j"
                           R"j([6, 5]]})j"),
              std::string::npos)
        << run.out;
}

TEST(FixStrays, AMapWhoseStraysAllSnapPassesAndKeepsItsKind) {
    GoldenLevel level;
    level.make("textures/grass.png 4 4 00AA00");
    level.make("textures/grass_p.png 8 8 00AA00");
    level.make("textures/road.png 4 4 555555");
    level.make("textures/road_p.png 8 8 555555");
    level.make("levels/walkbehind_p.png 8 8 123456");
    level.make("levels/walkinto_p.png 8 8 654321");
    // An RGB map as an editor with colour management saves it: grass, road, a step off each.
    RawPng map;
    map.width = 4;
    map.height = 1;
    map.colourType = 2;
    map.samples = {0x00, 0xAA, 0x00, 0x01, 0xAB, 0x00, 0x56, 0x55, 0x55, 0x55, 0x55, 0x55};
    map.text = {{"Author", "a level designer"}};
    map.colourChunks = true;
    ASSERT_TRUE(writeRawPng(level.path() + "/map.png", map));

    const CheckRun run = runCheck({"--fix-strays", "--map", "map.png"}, level.path());
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.err, "levelcolors-check: map.png: colour-management chunks dropped (gAMA, "
                       "cHRM): markers are raw sample values\n");
    EXPECT_NE(run.out.find("  fixed map.png: 1 pixel of #01AB00 is now #00AA00 "
                           "(textures/grass.png)\n  fixed map.png: 1 pixel of #565555 is now "
                           "#555555 (textures/road.png)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nno problems found\n"), std::string::npos) << run.out;
    std::string reason;
    const std::optional<MapImage> saved = readMapImage(level.path() + "/map.png", reason);
    ASSERT_TRUE(saved) << reason;
    EXPECT_EQ(saved->kind.type, MapColourType::Rgb);
    EXPECT_TRUE(saved->kind.colourManagement.empty());
    ASSERT_EQ(saved->kind.text.size(), 1u);
    EXPECT_EQ(saved->pixels, (std::vector<uint32_t>{grass, grass, 0xFF555555, 0xFF555555}));
}

TEST(FixStrays, AMapThatCannotBeSavedIsNamedLeftAsItWasAndStatusTwo) {
    GoldenLevel level("advice");
    const std::string path = level.path() + "/painted.png";
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const FileState before(path);
    const CheckRun run = runCheck({"--fix-strays", "--map", "painted.png"}, level.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "levelcolors-check: cannot save map painted.png: read-only\n");
    EXPECT_TRUE(FileState(path) == before);
    // The report is that of the map as it is: its strays, nothing fixed.
    EXPECT_EQ(run.out.find("fixed painted.png"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("stray colour #906E4C in painted.png: 8 pixels"), std::string::npos)
        << run.out;
}

TEST(FixStrays, WithoutTheOptionTheCheckNeverWritesAMap) {
    GoldenLevel level("advice");
    const std::string path = level.path() + "/painted.png";
    const FileState before(path);
    for (const char* format : {"text", "json", "sarif"}) {
        const CheckRun run = runCheck({"--format", format, "--map", "painted.png"}, level.path());
        EXPECT_EQ(run.status, 1) << format;
    }
    EXPECT_TRUE(FileState(path) == before);
}

} // namespace
