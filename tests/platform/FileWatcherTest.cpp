#include "platform/FileWatcher.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The names the changes carry, "<folder>/<name>", "<folder>/" for the folder itself.
std::vector<std::string> namesOf(const std::vector<FolderChange>& changes) {
    std::vector<std::string> names;
    for (const FolderChange& change : changes)
        names.push_back(change.folder + "/" + change.name + (change.isFolder ? " (folder)" : ""));
    return names;
}

bool has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The system queues a change while the writing call runs, so it is there to be read as soon
// as that call has returned.
TEST(FileWatcher, SeesEditorsWaysOfSavingAndFoldersGoingAndComing) {
    char templ[] = "/tmp/levelcolors-watch-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    const std::string level = templ;
    fs::create_directories(level + "/textures");
    FileWatcher watcher;
    watcher.watch({level, level + "/textures"});
    EXPECT_TRUE(watcher.changes().empty());

    std::ofstream(level + "/textures/a.png") << "in place";
    std::ofstream(level + "/textures/b.part") << "renamed over";
    fs::rename(level + "/textures/b.part", level + "/textures/b.png");
    fs::remove(level + "/textures/a.png");
    { std::ifstream(level + "/textures/b.png").get(); } // reading is no change
    std::vector<std::string> names = namesOf(watcher.changes());
    EXPECT_TRUE(has(names, level + "/textures/a.png"));
    EXPECT_TRUE(has(names, level + "/textures/b.png"));
    EXPECT_TRUE(watcher.changes().empty());
    std::ifstream(level + "/textures/b.png").get();
    EXPECT_TRUE(watcher.changes().empty());

    // The folder deleted: its parent sees it go, and it reports itself gone. Made again, it
    // needs watching again.
    fs::remove_all(level + "/textures");
    names = namesOf(watcher.changes());
    EXPECT_TRUE(has(names, level + "/textures (folder)"));
    EXPECT_TRUE(has(names, level + "/textures/"));
    fs::create_directories(level + "/textures");
    EXPECT_TRUE(has(namesOf(watcher.changes()), level + "/textures (folder)"));
    watcher.watch({level, level + "/textures"});
    std::ofstream(level + "/textures/c.png") << "new";
    EXPECT_TRUE(has(namesOf(watcher.changes()), level + "/textures/c.png"));

    // A folder that cannot be watched is one line on standard error; the others still are.
    testing::internal::CaptureStderr();
    watcher.watch({level + "/missing", level});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unable to watch " + level + "/missing for changes : No such file or directory\n");
    std::ofstream(level + "/textures/d.png") << "unwatched now";
    std::ofstream(level + "/e.png") << "watched";
    names = namesOf(watcher.changes());
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names, std::vector<std::string>(names.size(), level + "/e.png"));
    fs::remove_all(level);
}

} // namespace
