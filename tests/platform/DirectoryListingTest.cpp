#include "platform/DirectoryListing.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    EXPECT_EQ(listFiles(folder, "png"), expected);
    EXPECT_EQ(listFiles(folder, "txt"), std::vector<std::string>{"d.txt"});
}

TEST_F(DirectoryListingTest, MissingOrEmptyFolderYieldsNothing) {
    EXPECT_TRUE(listFiles(folder, "png").empty());
    EXPECT_TRUE(listFiles(folder + "/absent", "png").empty());
    touch("plain");
    EXPECT_TRUE(listFiles(folder + "/plain", "png").empty());
}

} // namespace
