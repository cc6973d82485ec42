// The real levelcolors-check on several levels in one run: one report in every format, --find's
// walk, --shard's shares, a level that cannot be read among others. The run's expected outputs
// are in tests/check/several/; LEVELCOLORS_REGENERATE=1 rewrites them.

#include "drive/ChildProcess.h"
#include "tests/check/CheckRun.h"
#include "tests/check/GoldenLevel.h"
#include "tests/support/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct RunFormat {
    const char* name;
    const char* expectedFile;
    // What names the level that cannot be read, in the format's own words.
    const char* unreadableRecord;
    // Whether it lists a clean level's files (the formats a hosting service reads list
    // findings only).
    bool legend = true;
};

// A row per format; formats added later add theirs.
const std::vector<RunFormat> runFormats = {
    {"text", "expected.txt", "cannot read level folder gone: No such file or directory\n"},
    {"csv", "expected.csv",
     "gone,unreadable,,,,,,,,,cannot read level folder gone: No such file or directory\r\n"},
    {"json", "expected.json",
     "{\"level\": \"gone\", \"unreadable\": \"No such file or directory\"}"},
    {"junit", "expected.xml",
     "<error message=\"cannot read level folder gone: No such file or directory\" "
     "type=\"unreadable\">"},
    {"sarif", "expected.sarif",
     "\"ruleId\": \"level\", \"ruleIndex\": 20, \"level\": \"error\", \"message\": {\"text\": "
     "\"cannot read level folder gone: No such file or directory\"}",
     false},
    {"github", "expected-github.txt",
     "::error file=gone,title=level::cannot read level folder gone: No such file or directory\n",
     false},
    {"codequality", "expected-codequality.json",
     "{\"description\": \"cannot read level folder gone: No such file or directory\", "
     "\"check_name\": \"level\"",
     false},
};

std::string severalText(const std::string& file) {
    std::ifstream in(sourceRoot() + "/tests/check/several/" + file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The JUnit suites' time stamps, the one part that changes from run to run.
std::string stampless(std::string output) {
    const std::string key = "timestamp=\"";
    for (size_t at = output.find(key); at != std::string::npos; at = output.find(key, at)) {
        at += key.size();
        output.replace(at, output.find('"', at) - at, "STAMP");
    }
    return output;
}

// Whether `document` passes the validator `argv` (its file is the last argument).
void expectValid(std::vector<std::string> argv, const std::string& document,
                 const std::string& file) {
    std::ofstream(file, std::ios::binary) << document;
    argv.push_back(file);
    std::string verdict;
    EXPECT_EQ(runCommand(argv, &verdict), 0) << verdict << document;
}

// The levels a CSV report of several names, in its order.
std::vector<std::string> levelsOf(const CheckRun& run) {
    std::vector<std::string> levels;
    const auto records = csvRecords(run.out);
    for (size_t i = 1; i < records.size(); ++i) {
        if (levels.empty() || levels.back() != records[i].at(0))
            levels.push_back(records[i].at(0));
    }
    return levels;
}

void makeFolder(const std::string& path) {
    fs::create_directories(path);
}

TEST(ManyLevels, OneReportInEveryFormatNamesEachLevelInTheOrderGiven) {
    GoldenLevel run;
    for (const char* name : {"clean", "links", "near"})
        run.addGolden(name);
    const bool regenerate = std::getenv("LEVELCOLORS_REGENERATE") != nullptr;
    for (const RunFormat& format : runFormats) {
        SCOPED_TRACE(format.name);
        const CheckRun result =
            runCheck({"--format", format.name, "near", "clean", "links"}, run.path());
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "");
        if (regenerate)
            std::ofstream(sourceRoot() + "/tests/check/several/" + format.expectedFile,
                          std::ios::binary)
                << stampless(result.out);
        else
            EXPECT_EQ(stampless(result.out), severalText(format.expectedFile));
    }
    // Each document is whole: the JSON parses, the JUnit passes its schema.
    const std::string json =
        runCheck({"--format", "json", "near", "clean", "links"}, run.path()).out;
    expectValid({"python3", "-c", "import json, sys; json.load(open(sys.argv[1]))"}, json,
                run.path() + "/report.json");
    const std::string junit =
        runCheck({"--format", "junit", "near", "clean", "links"}, run.path()).out;
    expectValid({"xmllint", "--noout", "--schema", sourceRoot() + "/tests/check/junit.xsd"}, junit,
                run.path() + "/report.xml");
}

TEST(ManyLevels, ALevelThatCannotBeReadIsReportedInItsPlaceAndTheOthersStillRun) {
    GoldenLevel run;
    run.addGolden("clean");
    run.addGolden("near");
    for (const RunFormat& format : runFormats) {
        SCOPED_TRACE(format.name);
        const CheckRun result =
            runCheck({"--format", format.name, "clean", "gone", "near"}, run.path());
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err,
                  "levelcolors-check: cannot read level folder gone: No such file or directory\n");
        const size_t unreadable = result.out.find(format.unreadableRecord);
        ASSERT_NE(unreadable, std::string::npos) << result.out;
        // In its place: after the clean level's records, before those of the near one.
        const size_t clean = format.legend ? result.out.find("characters/hero.txt") : 0;
        const size_t near = result.out.find("textures/c.png");
        EXPECT_LE(clean, unreadable) << result.out;
        EXPECT_LT(unreadable, near) << result.out;
        EXPECT_NE(near, std::string::npos) << result.out;
    }
    const CheckRun text = runCheck({"clean", "gone", "near"}, run.path());
    EXPECT_NE(text.out.find("\n3 levels checked, 1 could not be read: 5 problems found in 1 "
                            "level\n"),
              std::string::npos)
        << text.out;
}

// Each level's images are decoded beside the other levels', and what the image library prints
// about them (libpng's lines on the torn and cut swatches) stays with its own level whatever
// the thread count.
TEST(ManyLevels, EachLevelsReportIsItsOwnWhateverTheThreadCount) {
    GoldenLevel run;
    std::vector<std::string> arguments = {"--format=csv"};
    for (const char* name : {"descriptions", "swatches", "links", "near"}) {
        run.addGolden(name);
        arguments.push_back(name);
    }
    const CheckRun one = runCheck(arguments, run.path(), {{"LEVELCOLORS_THREADS", "1"}});
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(one.err, "");
    for (const char* threads : {"2", "3", "8"}) {
        const CheckRun many = runCheck(arguments, run.path(), {{"LEVELCOLORS_THREADS", threads}});
        EXPECT_EQ(many.out, one.out) << threads;
        EXPECT_EQ(many.err, "") << threads;
    }
    // The descriptions level's own report, as a single run gives it, leads the run's.
    const CheckRun alone = runCheck({"--format=csv", "descriptions"}, run.path());
    const std::vector<std::vector<std::string>> levelRecords = csvRecords(alone.out);
    const std::vector<std::vector<std::string>> runRecords = csvRecords(one.out);
    for (size_t i = 1; i < levelRecords.size(); ++i) {
        std::vector<std::string> expected = levelRecords[i];
        expected.insert(expected.begin(), "descriptions");
        EXPECT_EQ(runRecords.at(i), expected);
    }
}

TEST(ManyLevels, QuietLeavesOutLevelsWithNothingToSayAndHeadsTheOthers) {
    GoldenLevel run;
    run.addGolden("clean");
    run.addGolden("links");
    const CheckRun result = runCheck({"-q", "clean", "links"}, run.path());
    EXPECT_EQ(result.status, 1);
    const std::string links = GoldenLevel::goldenText("links", "expected.txt");
    EXPECT_EQ(result.out, links.substr(0, links.find('\n') + 1) +
                              links.substr(links.find("problems:\n")) +
                              "\n2 levels checked: 4 problems found in 1 level\n");
}

// a-b comes before a/b in byte order ('-' is below '/'), though a walk of the sorted names
// would meet a/ first.
TEST(FindLevels, FindsLevelsInByteOrderNeverInsideALevelNorThroughALink) {
    GoldenLevel tree;
    GoldenLevel elsewhere;
    const std::string root = tree.path();
    makeFolder(root + "/a/b/textures");
    makeFolder(root + "/a/b/inner/characters"); // inside the level a/b
    makeFolder(root + "/a-b/entities");
    makeFolder(root + "/a/c/z/events");
    makeFolder(root + "/a/c/empty");
    makeFolder(root + "/notes");
    makeFolder(elsewhere.path() + "/outside/textures");
    fs::create_directory_symlink(elsewhere.path() + "/outside", root + "/link-out");
    fs::create_directory_symlink(elsewhere.path(), root + "/a/link-above");
    fs::create_directory_symlink("../a-b", root + "/a/link-in");

    CheckRun run = runCheck({"--format=csv", "--find", "."}, root);
    EXPECT_EQ(run.status, 1) << run.err; // the levels lack their collision swatches
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(levelsOf(run), (std::vector<std::string>{"a-b", "a/b", "a/c/z"}));

    // A folder below, named as given; one that is itself a level; several, and levels named
    // beside them, in the order given.
    run = runCheck({"--format=csv", "--find=a/", "--find", "a/b", "a-b"}, root);
    EXPECT_EQ(levelsOf(run), (std::vector<std::string>{"a/b", "a/c/z", "a/b", "a-b"}));

    run = runCheck({"--format=csv", "--find", root + "/a/c"}, "/");
    EXPECT_EQ(levelsOf(run), (std::vector<std::string>{root + "/a/c/z"}));

    // One level found is still a run's report, as a CI job's share of one would be.
    run = runCheck({"--find", "a/c"}, root);
    EXPECT_EQ(run.out.rfind("level a/c/z: 2 files, 0 colours\n", 0), 0u) << run.out;
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2)),
              "\n1 level checked: 2 problems found in 1 level\n");

    // Nothing found is a run of no levels.
    run = runCheck({"--find", "notes"}, root);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0 levels checked: no problems found\n");

    run = runCheck({"--find", "missing", "a-b"}, root);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "levelcolors-check: cannot search folder missing: No such file or directory\n");
    EXPECT_EQ(run.out.rfind("level a-b: ", 0), 0u) << run.out;
}

TEST(FindLevels, TheShardsOfARunHoldEveryLevelOnceAndKeepThemWhenOthersAreAdded) {
    GoldenLevel tree;
    std::vector<std::string> every;
    for (int i = 0; i < 24; ++i) {
        const std::string name = "level" + std::to_string(i);
        makeFolder(tree.path() + "/" + name + "/textures");
        every.push_back(name);
    }
    std::sort(every.begin(), every.end());
    const auto shares = [&](int count) {
        std::vector<std::vector<std::string>> found;
        for (int k = 1; k <= count; ++k) {
            const std::string shard = std::to_string(k) + "/" + std::to_string(count);
            const CheckRun run =
                runCheck({"--format=csv", "--shard", shard, "--find=."}, tree.path());
            EXPECT_EQ(run.err, "") << shard;
            found.push_back(levelsOf(run));
        }
        return found;
    };
    for (int count : {1, 3, 5}) {
        SCOPED_TRACE(count);
        std::vector<std::string> all;
        for (const std::vector<std::string>& share : shares(count))
            all.insert(all.end(), share.begin(), share.end());
        std::sort(all.begin(), all.end());
        EXPECT_EQ(all, every); // each level once
    }
    const std::vector<std::vector<std::string>> before = shares(3);
    makeFolder(tree.path() + "/added/textures");
    const std::vector<std::vector<std::string>> after = shares(3);
    for (size_t k = 0; k < before.size(); ++k) {
        std::vector<std::string> kept = after[k];
        kept.erase(std::remove(kept.begin(), kept.end(), "added"), kept.end());
        EXPECT_EQ(kept, before[k]) << "share " << k + 1;
    }
}

} // namespace
