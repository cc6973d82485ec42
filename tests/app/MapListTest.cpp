// The maps of the map view read again after a rescan: edits never lost to a change on disk,
// a deleted file or a save of their own.

#include "app/MapList.h"
#include "app/MapSave.h"
#include "pngwriter/PngWriter.h"
#include "tests/app/LevelFolder.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr uint32_t red = 0xFFFF0000u, green = 0xFF00FF00u, blue = 0xFF0000FFu;
constexpr MapNavigation::Size area = {300, 768};

// Runs in the level's folder, as the viewer does, and goes back after.
class MapListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(level.path() + "/levels");
        ASSERT_TRUE(writePng(level.path() + "/levels/a.png", 2, 1, {red, red}));
        ASSERT_TRUE(writePng(level.path() + "/levels/b.png", 2, 1, {blue, blue}));
        before_ = getcwd(nullptr, 0);
        ASSERT_EQ(chdir(level.path().c_str()), 0);
    }
    void TearDown() override {
        if (before_) {
            EXPECT_EQ(chdir(before_), 0);
        }
        free(before_);
    }
    // Another program's save: a new file renamed over the old.
    static void saveOutside(const std::string& path, uint32_t colour) {
        ASSERT_TRUE(writePng(path + ".part", 2, 1, {colour, colour}));
        ASSERT_EQ(std::rename((path + ".part").c_str(), path.c_str()), 0);
    }

    LevelFolder level;
    DiagnosticList problems;

  private:
    char* before_ = nullptr;
};

TEST_F(MapListTest, UnsavedEditsStayThroughAChangeOnDiskAndADeletionAndASaveWritesTheMapAnew) {
    MapList maps({});
    maps.read(area, problems);
    ASSERT_EQ(maps.size(), 2u);
    MapList::Map& a = *maps.at(0);
    ASSERT_EQ(a.path, "levels/a.png");
    a.editor.fill({0, 0}, green);
    ASSERT_TRUE(a.unsaved());
    EXPECT_TRUE(maps.anyUnsaved());

    saveOutside("levels/a.png", blue);
    saveOutside("levels/b.png", red);
    maps.relist();
    maps.read(area, problems);
    EXPECT_EQ(maps.at(0)->at(1, 0), green);
    EXPECT_TRUE(maps.at(0)->changedOnDisk);
    EXPECT_EQ(maps.at(1)->at(0, 0), red); // a map without edits is read again

    ASSERT_EQ(std::remove("levels/a.png"), 0);
    maps.relist();
    maps.read(area, problems);
    ASSERT_EQ(maps.size(), 2u);
    EXPECT_EQ(maps.at(0)->path, "levels/a.png");
    EXPECT_EQ(maps.at(0)->at(0, 0), green);

    // Saved anew: no longer unsaved, and a read after the save keeps the map's undo.
    EXPECT_EQ(saveMap(*maps.at(0), maps.at(0)->stamp, problems), "");
    EXPECT_FALSE(maps.anyUnsaved());
    maps.relist();
    maps.read(area, problems);
    EXPECT_EQ(maps.at(0)->at(0, 0), green);
    EXPECT_TRUE(maps.at(0)->editor.history().canUndo());
    EXPECT_TRUE(problems.items.empty());
}

TEST_F(MapListTest, ASaveRefusesAMapChangedOnDiskUntilAskedToSaveOverThatChange) {
    MapList maps({"levels/a.png"});
    maps.read(area, problems);
    MapList::Map& a = *maps.at(0);
    a.editor.fill({0, 0}, green);
    saveOutside("levels/a.png", blue);
    EXPECT_EQ(saveMap(a, a.stamp, problems), "changed on disk");
    ASSERT_EQ(problems.items.size(), 1u);
    EXPECT_EQ(problems.items[0].text, "Unable to save map levels/a.png : changed on disk");
    EXPECT_TRUE(a.unsaved());
    // Over the change as found: a file changed once more is refused again.
    const std::optional<FileStamp> found = fileStamp("levels/a.png");
    EXPECT_EQ(saveMap(a, found, problems), "");
    EXPECT_FALSE(a.unsaved());
}

TEST_F(MapListTest, TheMapsShareOneUndoBudgetTheMapEditedGivingUpItsOldestSteps) {
    MapList maps({});
    maps.read(area, problems);
    ASSERT_EQ(maps.size(), 2u);
    MapList::Map& a = *maps.at(0);
    MapList::Map& b = *maps.at(1);
    b.editor.fill({0, 0}, green);
    a.editor.fill({0, 0}, green);
    // What b holds leaves a room for one step more than its first: a keeps its latest two.
    const size_t oneStep = a.editor.history().bytes();
    maps.shareUndoBudget(a, b.editor.history().bytes() + 2 * oneStep);
    a.editor.fill({0, 0}, blue);
    a.editor.fill({0, 0}, red);
    EXPECT_EQ(a.editor.history().steps(), 2u);
    EXPECT_EQ(b.editor.history().steps(), 1u); // the other map's undo is never touched
    // With no room left, the map edited still keeps its latest step.
    maps.shareUndoBudget(a, b.editor.history().bytes());
    a.editor.fill({0, 0}, green);
    EXPECT_EQ(a.editor.history().steps(), 1u);
    EXPECT_TRUE(a.editor.undo());
    EXPECT_EQ(a.at(0, 0), red);
}

} // namespace
