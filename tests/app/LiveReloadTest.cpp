// The parts of live reload that need no window: the debounce, the rescan's line and the watch
// list.

#include "app/LiveReload.h"
#include "app/Debounce.h"
#include "app/WatchList.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace {

TEST(Debounce, ABurstIsDueOnceAfterItsLastChangeSettles) {
    Debounce settle(100);
    EXPECT_FALSE(settle.due(0)); // nothing changed: never due
    EXPECT_FALSE(settle.due(100000));
    for (uint32_t t = 1000; t <= 1490; t += 10) // 50 changes, 10 ms apart
        settle.changed(t);
    EXPECT_FALSE(settle.due(1500));
    EXPECT_FALSE(settle.due(1589));
    EXPECT_TRUE(settle.due(1590));
    EXPECT_FALSE(settle.due(1600)); // once per burst
    EXPECT_FALSE(settle.due(9000));

    settle.changed(10000);
    settle.cancel(); // taken another way (F5)
    EXPECT_FALSE(settle.due(10200));
    // The tick counter wrapping past 2^32 neither fires early nor stalls.
    settle.changed(0xFFFFFFF0u);
    EXPECT_FALSE(settle.due(0x40));
    EXPECT_TRUE(settle.due(0x54));
}

TEST(RescanLine, OnlyARescanAfterAScanWithProblemsSaysHowItWent) {
    EXPECT_EQ(rescanLine(0, 0), "");
    EXPECT_EQ(rescanLine(0, 2), ""); // its own lines are the last on the terminal
    EXPECT_EQ(rescanLine(3, 0), "level scanned again: no problems");
    EXPECT_EQ(rescanLine(3, 1), "level scanned again: 1 problem above");
    EXPECT_EQ(rescanLine(1, 3), "level scanned again: 3 problems above");
    // A count that standard error could not be caught for tells nothing.
    EXPECT_EQ(rescanLine(std::nullopt, 0), "");
    EXPECT_EQ(rescanLine(3, std::nullopt), "");
}

class WatchListOfAScan : public ::testing::Test {
  protected:
    void SetUp() override {
        char templ[] = "/tmp/levelcolors-watch-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        level_ = templ;
        for (const char* folder : {"textures/frames", "characters", "levels", "art"})
            std::filesystem::create_directories(level_ + "/" + folder);
    }
    void TearDown() override { std::filesystem::remove_all(level_); }
    std::string level_;
};

TEST_F(WatchListOfAScan, WatchesTheLevelTheScannedFoldersAndEveryNamedFilesFolder) {
    const std::string absent = std::filesystem::path(level_).filename().string() + "-absent";
    const WatchList list = WatchList::fromScan(
        level_,
        {"art/a.png", "textures/frames/w1.png", "textures/frames/w2.png", "textures/lava.txt",
         "gone/deep/x.png", "textures/frames/gone/y.png", "b.png", "../" + absent + "/z.png"});
    // Missing folders ("events", "cutscenes", "entities", "gone/deep", "textures/frames/gone",
    // the absent one outside) are watched at the nearest existing parent, where they show.
    const std::vector<std::string> expected = {".",   "textures",        "characters", "levels",
                                               "art", "textures/frames", ".."};
    EXPECT_EQ(list.folders(), expected);
    // Outside the level only the way to the absent folder matters, not other levels beside it.
    EXPECT_TRUE(list.matters({"..", absent, true}));
    EXPECT_FALSE(list.matters({"..", "levelcolors-level-other", true}));
    EXPECT_FALSE(list.matters({"..", "z.png", false}));

    EXPECT_TRUE(list.matters({"textures", "new.png", false}));
    EXPECT_TRUE(list.matters({"characters", "hero.txt", false}));
    EXPECT_TRUE(list.matters({"levels", "walkinto_p.png", false}));
    EXPECT_TRUE(list.matters({"art", "a.png", false}));
    EXPECT_TRUE(list.matters({"textures/frames", "w2.png", false}));
    EXPECT_TRUE(list.matters({".", "b.png", false}));
    EXPECT_TRUE(list.matters({".", "gone", true}));     // a folder created or deleted
    EXPECT_TRUE(list.matters({"textures", "", false})); // the folder itself went away
    EXPECT_TRUE(list.matters({"", "", false}));         // changes were lost
    EXPECT_FALSE(list.matters({"textures", "notes.md", false}));
    EXPECT_FALSE(list.matters({"art", "unused.png", false})); // no description names it
    EXPECT_FALSE(list.matters({".", "errors.txt", false}));   // a log beside the level
}

TEST_F(WatchListOfAScan, APictureIsWatchedAtItsFilesAndItsChangesCallForNoRescan) {
    // The big font falls back to the data folder; the level has no "fonts" folder yet.
    const std::string data = level_ + "/art";
    const WatchList list = WatchList::fromScan(level_, {},
                                               {{"whiteBG.png", "whiteBG.png"},
                                                {"fonts/bigFont.png", "fonts/bigFont.png"},
                                                {data + "/bigFont.png", "fonts/bigFont.png"}});
    const std::vector<std::string> expected = {".", "textures", "characters", "levels", data};
    EXPECT_EQ(list.folders(), expected);

    using Pictures = std::set<std::string>;
    const Pictures all = {"whiteBG.png", "fonts/bigFont.png"};
    EXPECT_EQ(list.pictures({".", "whiteBG.png", false}), Pictures{"whiteBG.png"});
    EXPECT_FALSE(list.matters({".", "whiteBG.png", false}));
    EXPECT_EQ(list.pictures({data, "bigFont.png", false}), Pictures{"fonts/bigFont.png"});
    EXPECT_EQ(list.pictures({data, "smallFont.png", false}), Pictures{});
    EXPECT_EQ(list.pictures({".", "errors.txt", false}), Pictures{});
    EXPECT_EQ(list.pictures({"textures", "t00_p.png", false}), Pictures{});
    EXPECT_EQ(list.pictures({"textures", "frames", true}), Pictures{});
    EXPECT_EQ(list.pictures({".", "fonts", true}), all); // the level's own fonts may take over
    EXPECT_EQ(list.pictures({"", "", false}), all);
}

} // namespace
