#include "platform/FileReplacement.h"

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct stat statusOf(const std::string& path) {
    struct stat info = {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileReplacementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/levelcolors-replace-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        map = folder + "/map.png";
        std::ofstream(map, std::ios::binary) << "old bytes";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string folder;
    std::string map;
};

TEST_F(FileReplacementTest, TheNewBytesComeInOneRenameKeepingModeAndOwner) {
    ASSERT_EQ(chmod(map.c_str(), 0640), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(map.c_str(), 1234, 5678), 0);
    }
    const ino_t oldInode = statusOf(map).st_ino;
    std::ifstream earlier(map, std::ios::binary); // a reader that opened the map before

    FileReplacement replacement(map);
    ASSERT_TRUE(replacement.write(bytes("new bytes, longer"))) << replacement.problem();
    EXPECT_EQ(replacement.problem(), "");
    EXPECT_EQ(replacement.note(), "");
    EXPECT_EQ(contents(map), "new bytes, longer");
    const struct stat now = statusOf(map);
    EXPECT_NE(now.st_ino, oldInode);
    EXPECT_EQ(now.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(now.st_uid, 1234u);
        EXPECT_EQ(now.st_gid, 5678u);
    }
    std::string seen;
    std::getline(earlier, seen);
    EXPECT_EQ(seen, "old bytes");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"map.png"});
}

TEST_F(FileReplacementTest, AFailedSaveLeavesTheFileByteForByteAndNoTemporaryFile) {
    const std::string temporary = folder + "/" + FileReplacement::temporaryName("map.png");
    EXPECT_EQ(FileReplacement::temporaryName("map.png"), ".map.png.levelcolors-saving");
    const struct {
        const char* name;
        std::function<void()> arrange;
        FileReplacement::Writer writer;
        std::string problem;
    } cases[] = {
        // A folder where the temporary file goes: no one, the superuser neither, removes it.
        {"folder in the way", [&] { fs::create_directory(temporary); },
         [](std::FILE*) { return std::string(); },
         "cannot create " + temporary + ": something else of that name is there"},
        {"writer fails", [] {},
         [](std::FILE* file) {
             std::fputs("half of it", file);
             return std::string("No space left on device");
         },
         "cannot write " + temporary + ": No space left on device"},
        // No write bit for anyone: refused whoever saves.
        {"read-only", [&] { chmod(map.c_str(), 0444); }, [](std::FILE*) { return std::string(); },
         "read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directory(folder);
        std::ofstream(map, std::ios::binary) << "old bytes";
        c.arrange();
        const std::vector<std::string> before = namesIn(folder);
        const ino_t inode = statusOf(map).st_ino;
        FileReplacement replacement(map);
        EXPECT_FALSE(replacement.write(c.writer));
        EXPECT_EQ(replacement.problem(), c.problem);
        EXPECT_EQ(contents(map), "old bytes");
        EXPECT_EQ(statusOf(map).st_ino, inode);
        EXPECT_EQ(namesIn(folder), before);
    }
}

TEST_F(FileReplacementTest, ALinkIsSavedToTheFileItLeadsTo) {
    fs::create_directory(folder + "/art");
    fs::rename(map, folder + "/art/real.png");
    ASSERT_EQ(symlink("art/real.png", (folder + "/middle.png").c_str()), 0);
    ASSERT_EQ(symlink((folder + "/middle.png").c_str(), map.c_str()), 0);
    FileReplacement replacement(map);
    ASSERT_TRUE(replacement.write(bytes("through the links"))) << replacement.problem();
    EXPECT_EQ(replacement.target(), folder + "/art/real.png");
    EXPECT_TRUE(S_ISLNK(statusOf(map).st_mode));
    EXPECT_TRUE(S_ISLNK(statusOf(folder + "/middle.png").st_mode));
    EXPECT_EQ(contents(folder + "/art/real.png"), "through the links");
    EXPECT_EQ(namesIn(folder + "/art"), std::vector<std::string>{"real.png"});
}

TEST_F(FileReplacementTest, AChangeMadeElsewhereRefusesTheSaveUnlessForced) {
    FileReplacement::Rules rules;
    rules.expected = fileStamp(map);
    ASSERT_TRUE(rules.expected);
    std::ofstream(map, std::ios::binary | std::ios::app) << ", then more";
    FileReplacement refused(map, rules);
    EXPECT_FALSE(refused.write(bytes("mine")));
    EXPECT_EQ(refused.problem(), "changed on disk");
    EXPECT_EQ(contents(map), "old bytes, then more");

    // A change made while the new contents are written is seen just before the rename.
    rules.expected = fileStamp(map);
    FileReplacement raced(map, rules);
    EXPECT_FALSE(raced.write([&](std::FILE*) {
        std::ofstream(map, std::ios::binary | std::ios::app) << " and more";
        return std::string();
    }));
    EXPECT_EQ(raced.problem(), "changed on disk");
    EXPECT_EQ(contents(map), "old bytes, then more and more");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"map.png"});

    rules.overChanges = true;
    FileReplacement forced(map, rules);
    EXPECT_TRUE(forced.write(bytes("mine"))) << forced.problem();
    EXPECT_EQ(contents(map), "mine");
}

TEST_F(FileReplacementTest, AMissingFileIsWrittenAnewAndANewOneNeverOverAnother) {
    const mode_t mask = umask(027);
    const std::string fresh = folder + "/fresh.png";
    FileReplacement::Rules newOnly;
    newOnly.newOnly = true;
    FileReplacement made(fresh, newOnly);
    EXPECT_TRUE(made.write(bytes("made"))) << made.problem();
    umask(mask);
    EXPECT_EQ(contents(fresh), "made");
    EXPECT_EQ(statusOf(fresh).st_mode & 07777, 0640u);

    FileReplacement again(fresh, newOnly);
    EXPECT_FALSE(again.write(bytes("again")));
    EXPECT_EQ(again.problem(), "already exists");
    EXPECT_EQ(contents(fresh), "made");
    // A stamp of a file since deleted is no change: the save makes it again.
    FileReplacement::Rules rules;
    rules.expected = fileStamp(fresh);
    fs::remove(fresh);
    FileReplacement remade(fresh, rules);
    EXPECT_TRUE(remade.write(bytes("remade"))) << remade.problem();
    EXPECT_EQ(contents(fresh), "remade");
}

// Only the superuser gives a file away; a saver in the file's group still keeps that. Run as
// an ordinary user in a child, so only where the test may change its user.
TEST_F(FileReplacementTest, AnOwnerThatCannotBeKeptIsSaidAndTheGroupKeptWherePossible) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs the superuser to become another user";
    const std::string grouped = folder + "/grouped.png";
    std::ofstream(grouped) << "old";
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    ASSERT_EQ(chmod(map.c_str(), 0666), 0);
    ASSERT_EQ(chown(map.c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(grouped.c_str(), 0666), 0);
    ASSERT_EQ(chown(grouped.c_str(), 0, 4321), 0);
    int notes[2];
    ASSERT_EQ(pipe(notes), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const gid_t groups[] = {4321};
        if (setgroups(1, groups) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        std::string said;
        for (const std::string& path : {map, grouped}) {
            FileReplacement replacement(path);
            said += (replacement.write(bytes("new")) ? replacement.note() : replacement.problem()) +
                    "\n";
        }
        _exit(write(notes[1], said.data(), said.size()) == ssize_t(said.size()) ? 0 : 3);
    }
    close(notes[1]);
    char text[512] = {};
    const ssize_t length = read(notes[0], text, sizeof text - 1);
    close(notes[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(std::string(text, size_t(std::max<ssize_t>(length, 0))),
              "owner 0 and group 0 not kept (Operation not permitted)\n"
              "owner 0 not kept (Operation not permitted), group kept\n");
    EXPECT_EQ(contents(map), "new");
    EXPECT_EQ(statusOf(map).st_mode & 07777, 0666u);
    EXPECT_EQ(statusOf(grouped).st_uid, 65534u);
    EXPECT_EQ(statusOf(grouped).st_gid, 4321u);
}

} // namespace
