// A map's unsaved edits copied to the recovery folder while they change: at most one copy
// every 30 seconds, the last change copied once its period is up, all of them written when the
// program is told to end, found by the next run and removed by a save.

#include "app/RecoveryCopies.h"
#include "app/RecoveryPacing.h"
#include "level/MapImageWriter.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

TEST(RecoveryPacing, TheFirstChangeIsCopiedAtOnceThenAtMostOneCopyAPeriod) {
    RecoveryPacing pacing(30000);
    EXPECT_FALSE(pacing.due(0)); // nothing changed: never due
    EXPECT_FALSE(pacing.due(100000));
    pacing.changed();
    EXPECT_TRUE(pacing.due(100000)); // the run's first change: at once
    pacing.copied(100000);
    EXPECT_FALSE(pacing.due(100001));
    // A burst of changes within the period: one copy when it is up, not before.
    for (uint32_t t = 101000; t <= 140000; t += 1000) {
        pacing.changed();
        EXPECT_EQ(pacing.due(t), t == 130000) << t;
        if (pacing.due(t))
            pacing.copied(t);
    }
    // The last change (at 140000) is copied once the period after the copy at 130000 is up.
    EXPECT_FALSE(pacing.due(159999));
    EXPECT_TRUE(pacing.due(160000));
    pacing.copied(160000);
    EXPECT_FALSE(pacing.due(900000)); // nothing changed since
    // A change long after is copied at once; a cancelled one (saved) never.
    pacing.changed();
    EXPECT_TRUE(pacing.due(900000));
    pacing.cancel();
    EXPECT_FALSE(pacing.due(2000000));
    // The tick counter wrapping past 2^32 neither fires early nor stalls.
    pacing.changed();
    pacing.copied(0xFFFFFFF0u);
    pacing.changed();
    EXPECT_FALSE(pacing.due(0x10));
    EXPECT_TRUE(pacing.due(0xFFFFFFF0u + 30000));
}

class RecoveryCopiesFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/levelcolors-copies-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root = name;
        // A 4 by 2 map of one colour.
        MapImage image;
        image.width = 4;
        image.height = 2;
        image.pixels.assign(8, 0xFF10ABCD);
        DiagnosticList notes;
        std::string problem;
        ASSERT_TRUE(saveMapImage(root + "/valley.png", image, {}, notes, problem)) << problem;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    // The map, read.
    MapList readMap() {
        MapList maps({root + "/valley.png"});
        maps.read({640, 480}, sink);
        return maps;
    }
    static void paint(MapList& maps, int column, uint32_t colour) {
        maps.at(0)->editor.beginStroke({column, 0}, colour, 1);
        maps.at(0)->editor.endStroke();
    }
    // The pixels of the one file of `run` in the folder.
    std::vector<uint32_t> copied(const RecoveryCopies& copies, MapList& maps) {
        std::string reason;
        const std::optional<MapImage> image =
            MapRecovery::read(copies.recovery().fileOf(RecoveryCopies::nameOf(*maps.at(0))),
                              RecoveryCopies::nameOf(*maps.at(0)), reason);
        EXPECT_TRUE(image) << reason;
        return image ? image->pixels : std::vector<uint32_t>();
    }

    std::string root;
    DiagnosticList sink;
};

TEST_F(RecoveryCopiesFolder, CopiesFollowTheEditsAndASaveRemovesEveryRunsFiles) {
    const std::string folder = root + "/state/levelcolors/recovery";
    MapList maps = readMap();
    RecoveryCopies copies(folder, "run1");
    copies.keep(maps, 1000, sink); // read, unchanged: nothing to copy
    copies.finish();
    EXPECT_FALSE(std::filesystem::exists(folder));

    paint(maps, 1, 0xFF123456);
    copies.keep(maps, 2000, sink);
    copies.finish();
    EXPECT_EQ(copied(copies, maps), maps.at(0)->pixels());
    const std::vector<uint32_t> first = maps.at(0)->pixels();

    paint(maps, 2, 0xFF123456);
    copies.keep(maps, 3000, sink);
    EXPECT_FALSE(RecoveryCopies::due(maps, 31999));
    EXPECT_TRUE(RecoveryCopies::due(maps, 32000)); // the idle loop wakes for it
    copies.finish();
    EXPECT_EQ(copied(copies, maps), first); // not yet
    copies.keep(maps, 32000, sink);
    copies.finish();
    EXPECT_EQ(copied(copies, maps), maps.at(0)->pixels());

    // Told to end: written at once, one line.
    paint(maps, 3, 0xFF654321);
    copies.keepAll(maps, sink);
    EXPECT_EQ(copied(copies, maps), maps.at(0)->pixels());
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].written(), "Unsaved edits of " + root + "/valley.png kept in " +
                                           copies.recovery().fileOf(maps.at(0)->recoveryName));

    // The next run finds the file, says when it was written, and offers it.
    MapList again = readMap();
    RecoveryCopies next(folder, "run2");
    sink.items.clear();
    next.find(again, sink);
    ASSERT_TRUE(again.at(0)->recovery);
    EXPECT_EQ(again.at(0)->recovery->path, copies.recovery().fileOf(maps.at(0)->recoveryName));
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].written(),
              "Recovery of " + root + "/valley.png from " +
                  localTime(again.at(0)->recovery->modified, "%Y-%m-%d %H:%M") + ": " +
                  again.at(0)->recovery->path);
    paint(again, 0, 0xFF654321);
    next.keep(again, 5000, sink);
    next.finish();
    EXPECT_EQ(next.recovery().filesOf(again.at(0)->recoveryName, true).size(), 2u);
    next.saved(*again.at(0), sink);
    EXPECT_TRUE(next.recovery().filesOf(again.at(0)->recoveryName, true).empty());
    EXPECT_FALSE(again.at(0)->recovery);
}

TEST_F(RecoveryCopiesFolder, EditsUndoneRemoveTheRunsCopyAndAFailureIsSaidOnce) {
    MapList maps = readMap();
    RecoveryCopies copies(root + "/recovery", "run1");
    paint(maps, 1, 0xFF123456);
    copies.keep(maps, 0, sink);
    copies.finish();
    const std::string file = copies.recovery().fileOf(RecoveryCopies::nameOf(*maps.at(0)));
    EXPECT_TRUE(std::filesystem::exists(file));
    maps.at(0)->editor.undo();
    copies.keep(maps, 30000, sink);
    copies.finish();
    EXPECT_FALSE(std::filesystem::exists(file));

    // A folder that cannot be made: one line for many copies.
    std::filesystem::remove_all(root + "/recovery");
    std::ofstream(root + "/recovery") << "a file in the folder's place";
    for (uint32_t t = 60000; t <= 180000; t += 30000) {
        paint(maps, int(t / 30000) % 4, 0xFF000000 | t);
        copies.keep(maps, t, sink);
        copies.finish();
    }
    copies.keep(maps, 180000, sink);
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].written(),
              "Unable to keep the unsaved edits of " + root + "/valley.png : Not a directory");
}

} // namespace
