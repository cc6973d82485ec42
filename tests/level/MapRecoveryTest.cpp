// A map's unsaved edits kept in a recovery folder: named per map and per run, read back only
// for the map they belong to, and taken back into the map as one step of undo.

#include "level/MapRecovery.h"
#include "level/MapEditor.h"

#include "tests/level/DrawnMap.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

class MapRecoveryFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/levelcolors-recovery-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root = name;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::string root;
};

TEST_F(MapRecoveryFiles, EachRunWritesItsOwnFileWhichReadsBackOnlyForItsMap) {
    // The folder is made on demand, parents and all.
    const MapRecovery earlier(root + "/state/levelcolors/recovery", "20240501-140200-11");
    const MapRecovery later(root + "/state/levelcolors/recovery", "20240501-150000-12");
    const std::string valley = root + "/level/levels/valley.png";
    const std::string other = root + "/other/levels/valley.png";
    const std::vector<uint32_t> pixels = {0xFF10ABCD, 0x00000000, 0x80123456,
                                          0xFFFFFFFF, 0xFF000000, 0x01020304};
    ASSERT_EQ(earlier.write(valley, 3, 2, pixels), "");
    ASSERT_EQ(later.write(valley, 3, 2, pixels), "");
    ASSERT_EQ(later.write(other, 3, 2, pixels), "");
    // Two runs, two files; a map of the same name elsewhere has its own.
    EXPECT_NE(earlier.fileOf(valley), later.fileOf(valley));
    EXPECT_NE(later.fileOf(valley), later.fileOf(other));
    EXPECT_EQ(std::filesystem::path(later.fileOf(valley)).filename().string().substr(0, 7),
              "valley.");
    ASSERT_EQ(later.filesOf(valley).size(), 1u); // its own left out
    EXPECT_EQ(later.filesOf(valley)[0].path, earlier.fileOf(valley));
    EXPECT_EQ(later.filesOf(valley, true).size(), 2u);

    std::string reason;
    const std::optional<MapImage> back = MapRecovery::read(earlier.fileOf(valley), valley, reason);
    ASSERT_TRUE(back) << reason;
    EXPECT_EQ(back->width, 3);
    EXPECT_EQ(back->height, 2);
    EXPECT_EQ(back->pixels, pixels); // every sample, see-through ones too
    EXPECT_FALSE(MapRecovery::read(earlier.fileOf(valley), other, reason));
    EXPECT_EQ(reason, "belongs to another map");

    EXPECT_EQ(later.removeAll(valley), "");
    EXPECT_TRUE(later.filesOf(valley, true).empty());
    EXPECT_EQ(later.filesOf(other, true).size(), 1u);
}

TEST_F(MapRecoveryFiles, AMapIsNamedByItsRealPathEvenOnceItsFileIsGone) {
    std::filesystem::create_directories(root + "/level/levels");
    std::filesystem::create_symlink(root + "/level", root + "/link");
    EXPECT_EQ(MapRecovery::mapName(root + "/link/levels/gone.png"),
              MapRecovery::mapName(root + "/level/levels/gone.png"));
    EXPECT_EQ(MapRecovery::mapName(root + "/link/levels/gone.png").substr(0, 1), "/");
}

TEST_F(MapRecoveryFiles, AFolderThatCannotBeMadeIsOneLine) {
    // A file stands where the state folder goes: no one, the superuser included, makes it.
    std::ofstream(root + "/state") << "not a folder";
    const MapRecovery blocked(root + "/state/recovery", "run");
    EXPECT_EQ(blocked.write(root + "/level/levels/a.png", 1, 1, {0xFF000000}), "Not a directory");
}

TEST(MapEditorReplace, AMapTakenWholeIsOneStepOfUndo) {
    MapEditor editor(drawnMap({"AAB", "B.."}));
    const MapCanvas wanted = drawnMap({"ABB", "BBA"});
    EXPECT_EQ(editor.replace(wanted.pixels()), 3u);
    EXPECT_EQ(drawing(editor.canvas()), (std::vector<std::string>{"ABB", "BBA"}));
    EXPECT_TRUE(editor.history().dirty());
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(drawing(editor.canvas()), (std::vector<std::string>{"AAB", "B.."}));
    EXPECT_FALSE(editor.history().dirty());
    EXPECT_FALSE(editor.undo());
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(drawing(editor.canvas()), (std::vector<std::string>{"ABB", "BBA"}));
    // Pixels of another size change nothing.
    EXPECT_EQ(editor.replace(std::vector<uint32_t>(5, 0)), 0u);
    EXPECT_EQ(editor.history().steps(), 1u);
}

} // namespace
