// The command line: help, usage errors, level folders that cannot be read, option forms.

#include "tests/check/CheckRun.h"
#include "tests/check/GoldenLevel.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(Usage, HelpDescribesEveryOptionProblemKindAndExitStatus) {
    const CheckRun run = runCheck({"--help"}, "/");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* word : {"--format text|csv|json",
                             "--near N",
                             "--palette FILE",
                             ".gpl",
                             ".pal",
                             "--map IMAGE",
                             "--unused",
                             "--fix-strays",
                             "duplicate",
                             "near",
                             "translucent",
                             "mixed",
                             "missing",
                             "unreadable",
                             "orphan",
                             "stray",
                             "--find DIR",
                             "--shard K/N",
                             "exit status",
                             "0 no",
                             "1 problems",
                             "2 usage"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    EXPECT_NE(run.out.find("--snap N"), std::string::npos);
}

TEST(Usage, VersionIsOneLineWithTheProjectsVersion) {
    const CheckRun run = runCheck({"--version"}, "/");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "levelcolors-check " LEVELCOLORS_VERSION "\n");
}

TEST(Usage, AnyMisuseIsOneLineOnStandardErrorAndStatusTwo) {
    GoldenLevel level("clean");
    const std::vector<std::vector<std::string>> misuses = {
        {"--bogus"},
        {"-x"},
        {"--format", "xml"},
        {"--format"},
        {"--near", "-1"},
        {"--near", "256"},
        {"--near", "3x"},
        {"--near="},
        {"--snap", "443"},
        {"--snap", "1.5"},
        {"--snap="},
        {"--palette", "a.txt"},
        {"--palette", "a.gpl", "--palette", "b.pal"},
        {"--map", ""},
        // The maps and the palette are one level's.
        {"--map", "m.png", "one", "two"},
        {"--palette", "p.gpl", "--find", "."},
        {"--map", "m.png", "--shard", "1/2"},
        // Strays are fixed in a level's maps: only with --map, in one level.
        {"--fix-strays"},
        {"--fix-strays", "--snap", "20"},
        {"--fix-strays", "--map", "m.png", "one", "two"},
        {"--fix-strays", "--map", "m.png", "--find", "."},
        {"--find"},
        {"--find="},
        {"--shard", "0/3"},
        {"--shard", "4/3"},
        {"--shard", "3"},
        {"--shard", "1/x"},
    };
    for (const std::vector<std::string>& arguments : misuses) {
        const CheckRun run = runCheck(arguments, level.path());
        const std::string shown = testing::PrintToString(arguments);
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(run.err.rfind("levelcolors-check: ", 0), 0u) << shown << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << shown << run.err;
        EXPECT_NE(run.err.find("(see --help)"), std::string::npos) << shown;
    }
    EXPECT_FALSE(std::filesystem::exists(level.path() + "/a.gpl"));
}

TEST(Usage, ALevelFolderThatCannotBeReadIsStatusTwoWithItsName) {
    GoldenLevel level;
    level.make("plain.txt text");
    const std::string missing = level.path() + "/no such level";
    CheckRun run = runCheck({missing}, "/");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "levelcolors-check: cannot read level folder " + missing +
                           ": No such file or directory\n");

    run = runCheck({"plain.txt"}, level.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "levelcolors-check: cannot read level folder plain.txt: it is not a folder\n");
}

TEST(Usage, TheLevelMayBeNamedWithSpacesSlashesOrALeadingDash) {
    GoldenLevel parent;
    const std::string name = "my level -1";
    std::filesystem::create_directories(parent.path() + "/" + name);
    std::filesystem::create_directories(parent.path() + "/-odd");
    for (const std::string& level : {name, name + "/", parent.path() + "/" + name}) {
        const CheckRun run = runCheck({"--format=json", "--near=0", level}, parent.path());
        EXPECT_EQ(run.status, 1) << level; // its collision swatches are missing
        EXPECT_EQ(run.err, "");
        EXPECT_NE(run.out.find("\"level\": \"" + level + "\""), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("\"near\": 0"), std::string::npos);
    }
    const CheckRun run = runCheck({"--", "-odd"}, parent.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.rfind("level -odd: 2 files, 0 colours\n", 0), 0u) << run.out;
}

TEST(Usage, NearZeroTurnsTheNearCheckOffAndLargerLimitsReachFurther) {
    GoldenLevel level("near");
    CheckRun run = runCheck({"--near", "0"}, level.path());
    EXPECT_EQ(run.out.find("near colours"), std::string::npos) << run.out;
    EXPECT_EQ(run.status, 1); // the translucent swatch is still a problem
    // a and c are 4 apart: near from --near 4 on.
    run = runCheck({"--near", "4", "--format", "csv"}, level.path());
    int nearPairs = 0;
    for (const auto& record : csvRecords(run.out))
        nearPairs += record.at(0) == "problem" && record.at(1) == "near";
    EXPECT_EQ(nearPairs, 5);
    run = runCheck({"--near", "255", "--format", "csv"}, level.path());
    nearPairs = 0;
    for (const auto& record : csvRecords(run.out))
        nearPairs += record.at(0) == "problem" && record.at(1) == "near";
    EXPECT_EQ(nearPairs, 7 * 6 / 2); // every pair of the seven colours
}

} // namespace
