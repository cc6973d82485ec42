#include "platform/DirectoryListing.h"

#include "listfile/FileExtension.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isPng(const std::string& name) {
    return hasExtension(name, "png");
}

class DirectoryListingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char templ[] = "/tmp/levelcolors-dir-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        folder = templ;
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }
    void touch(const std::string& name) {
        FILE* f = std::fopen((folder + "/" + name).c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    std::string folder;
};

TEST_F(DirectoryListingTest, ListsRegularFilesWithTheExtensionInByteOrder) {
    for (const char* name : {"lava.png", "Zed.png", "a.b.png", "b.PNG", "c.pngx", "png", "d.txt",
                             "_p.png", "\xc3\xa9t\xc3\xa9.png", "with space.png"})
        touch(name);
    mkdir((folder + "/dir.png").c_str(), 0755);
    ASSERT_EQ(symlink("lava.png", (folder + "/link.png").c_str()), 0);
    ASSERT_EQ(symlink("missing.png", (folder + "/dangling.png").c_str()), 0);

    const std::vector<std::string> expected = {"Zed.png",
                                               "_p.png",
                                               "a.b.png",
                                               "lava.png",
                                               "link.png",
                                               "with space.png",
                                               "\xc3\xa9t\xc3\xa9.png"};
    EXPECT_EQ(listFiles(folder, isPng), expected);
    const auto isText = [](const std::string& name) { return hasExtension(name, "txt"); };
    EXPECT_EQ(listFiles(folder, isText), std::vector<std::string>{"d.txt"});
    // Every entry, folders and links to nothing too.
    const std::vector<std::string> entries = listEntries(folder, isPng);
    EXPECT_NE(std::find(entries.begin(), entries.end(), "dir.png"), entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), "dangling.png"), entries.end());
}

TEST_F(DirectoryListingTest, MissingOrEmptyFolderYieldsNothing) {
    EXPECT_TRUE(listFiles(folder, isPng).empty());
    EXPECT_TRUE(listFiles(folder + "/absent", isPng).empty());
    touch("plain");
    EXPECT_TRUE(listFiles(folder + "/plain", isPng).empty());
}

} // namespace
