#include "level/LevelLayout.h"

#include "pngwriter/PngWriter.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(LevelLayout, SwatchNamesAreThoseWhoseStemEndsInP) {
    EXPECT_TRUE(isSwatchName("lava_p.png"));
    EXPECT_TRUE(isSwatchName("hero_p.txt"));
    EXPECT_TRUE(isSwatchName("_p.png")); // exactly six characters
    EXPECT_FALSE(isSwatchName("lava.png"));
    EXPECT_FALSE(isSwatchName("lava_P.png"));
    EXPECT_FALSE(isSwatchName("_plava.png"));
    // Shorter names have no room for "_p" before an extension and are never swatches.
    EXPECT_FALSE(isSwatchName("p.png"));
    EXPECT_FALSE(isSwatchName("_.png"));
    EXPECT_FALSE(isSwatchName("_p"));
    EXPECT_FALSE(isSwatchName(""));
}

TEST(LevelLayout, TheSwatchPathDropsTheLastExtensionOnly) {
    EXPECT_EQ(swatchPathOf("textures/lava.txt"), "textures/lava_p.png");
    EXPECT_EQ(swatchPathOf("characters/hero.txt"), "characters/hero_p.png");
    EXPECT_EQ(swatchPathOf("textures/a.b.png"), "textures/a.b_p.png");
    EXPECT_EQ(swatchPathOf("my.level/textures/a.png"), "my.level/textures/a_p.png");
    EXPECT_EQ(swatchPathOf("textures/a.jpeg"), "textures/a_p.png");
}

TEST(LevelLayout, PathsLeaveTheLevelWhenAbsoluteOrClimbingAboveIt) {
    for (const char* outside : {"/abs/x.png", "../x.png", "textures/../../x.png", "./../x.png"})
        EXPECT_TRUE(leavesLevel(outside)) << outside;
    for (const char* inside :
         {"x.png", "textures/../x.png", "a//b/../../x.png", "..x/y.png", "(old).png"})
        EXPECT_FALSE(leavesLevel(inside)) << inside;
}

class LevelFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char templ[] = "/tmp/levelcolors-layout-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        level = templ;
    }
    void TearDown() override { std::system(("rm -rf '" + level + "'").c_str()); }
    void touch(const std::string& path) {
        std::system(("mkdir -p \"$(dirname '" + level + "/" + path + "')\"").c_str());
        std::ofstream(level + "/" + path) << "()";
    }
    std::string level;
};

TEST_F(LevelFilesTest, ListsTheLevelInScanOrder) {
    for (const char* path :
         {"entities/coin.txt", "textures/b.txt", "textures/a.png", "textures/a_p.png",
          "textures/lava.txt", "textures/lava.png", "textures/hero_p.txt", "textures/_p.png",
          "characters/zed.txt", "characters/amy.txt", "characters/amy_p.png", "cutscenes/intro.txt",
          "textures/notes.md", "textures/frames/x.png", "other/x.txt"})
        touch(path);
    std::vector<std::string> listed;
    for (const LevelFile& file : levelFiles(level))
        listed.push_back(file.path + " " + file.swatchPath);
    const std::vector<std::string> expected = {
        "textures/a.png textures/a_p.png",
        "textures/lava.png textures/lava_p.png",
        "textures/b.txt textures/b_p.png",
        "textures/lava.txt textures/lava_p.png",
        "levels/walkbehind_p.png levels/walkbehind_p.png",
        "levels/walkinto_p.png levels/walkinto_p.png",
        "characters/amy.txt characters/amy_p.png",
        "characters/zed.txt characters/zed_p.png",
        "cutscenes/intro.txt cutscenes/intro_p.png",
        "entities/coin.txt entities/coin_p.png",
    };
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(levelFiles(level).front().kind, LevelFileKind::Texture);
    EXPECT_EQ(levelFiles(level).back().kind, LevelFileKind::Object);
}

TEST_F(LevelFilesTest, AnEmptyLevelHasOnlyTheCollisionSwatches) {
    const std::vector<LevelFile> files = levelFiles(level + "/absent");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].kind, LevelFileKind::WalkBehind);
    EXPECT_EQ(files[1].kind, LevelFileKind::WalkInto);
}

} // namespace
