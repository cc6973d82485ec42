// The real levelcolors-check on golden level folders: each case's output in every format,
// byte for byte, and its exit status. LEVELCOLORS_REGENERATE=1 rewrites the expected files
// (review the difference before committing it).

#include "drive/ChildProcess.h"
#include "tests/check/CheckRun.h"
#include "tests/check/GoldenLevel.h"
#include "tests/support/Paths.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Format {
    const char* name;
    const char* expectedFile;
};

const Format text = {"text", "expected.txt"};
const Format csv = {"csv", "expected.csv"};
const Format json = {"json", "expected.json"};
const Format junit = {"junit", "expected.xml"};
const Format sarif = {"sarif", "expected.sarif"};
const Format github = {"github", "expected-github.txt"};
const Format codeQuality = {"codequality", "expected-codequality.json"};
// Most levels need their text alone; two are kept in the three table formats, and the clean,
// descriptions and links levels in JUnit too (a link to nothing fails its own case); the level
// of odd names in the formats a hosting service reads.
const std::vector<Format> textOnly = {text};
const std::vector<Format> threeFormats = {text, csv, json};
const std::vector<Format> everyFormat = {text, csv, json, junit};
const std::vector<Format> textAndJunit = {text, junit};
const std::vector<Format> hostedFormats = {text, sarif, github, codeQuality};

// `text` with `part` replaced by `by`, once.
std::string replacedOnce(std::string text, const std::string& part, const std::string& by) {
    const size_t start = text.find(part);
    if (start != std::string::npos)
        text.replace(start, part.size(), by);
    return text;
}

// The output without what changes from run to run or build to build: the JUnit suite's time
// stamp, and the version and home page the SARIF report names.
std::string stampless(const std::string& output) {
    std::string text = replacedOnce(output, "\"version\": \"" LEVELCOLORS_VERSION "\"",
                                    "\"version\": \"VERSION\"");
    text = replacedOnce(text, "\"informationUri\": \"" LEVELCOLORS_HOMEPAGE "\"",
                        "\"informationUri\": \"HOMEPAGE\"");
    const std::string key = "timestamp=\"";
    const size_t start = text.find(key);
    if (start == std::string::npos)
        return text;
    const size_t end = text.find('"', start + key.size());
    text.replace(start + key.size(), end - start - key.size(), "STAMP");
    return text;
}

std::vector<std::string> goldenArguments(const std::string& name) {
    std::istringstream words(GoldenLevel::goldenText(name, "args.txt"));
    std::vector<std::string> arguments;
    std::string word;
    while (words >> word)
        arguments.push_back(word);
    return arguments;
}

void checkGolden(const std::string& name, const std::vector<Format>& formats = textOnly) {
    GoldenLevel level(name);
    const bool regenerate = std::getenv("LEVELCOLORS_REGENERATE") != nullptr;
    const std::string goldenFolder = sourceRoot() + "/tests/check/levels/" + name + "/";
    std::string statuses;
    for (const Format& format : formats) {
        std::vector<std::string> arguments = goldenArguments(name);
        // Paths from the level folder whatever folders hold the temporary one.
        arguments.insert(arguments.begin(), {"--format", format.name, "--root", "."});
        // The level is the working folder, so that outputs hold no temporary path.
        const CheckRun run = runCheck(arguments, level.path());
        EXPECT_EQ(run.err, "") << format.name;
        if (regenerate) {
            std::ofstream(goldenFolder + format.expectedFile, std::ios::binary)
                << stampless(run.out);
            std::ofstream(goldenFolder + "expected-status.txt") << run.status << "\n";
            continue;
        }
        EXPECT_EQ(stampless(run.out), GoldenLevel::goldenText(name, format.expectedFile))
            << format.name;
        statuses += std::to_string(run.status) + "\n";
        EXPECT_EQ(std::to_string(run.status) + "\n",
                  GoldenLevel::goldenText(name, "expected-status.txt"))
            << format.name;
    }
}

TEST(GoldenLevels, ACleanLevelListsEveryFileInScanOrderAndEndsWithStatusZero) {
    checkGolden("clean", everyFormat);
}

TEST(GoldenLevels, SharedColoursNameTheFilesTheViewerKeeps) {
    checkGolden("duplicates");
}

TEST(GoldenLevels, NearColoursArePairedByTheirLargestChannelDifference) {
    checkGolden("near");
}

TEST(GoldenLevels, EverySwatchFaultIsOneLine) {
    checkGolden("swatches");
}

TEST(GoldenLevels, OddFileNamesStayOneFieldAndOneLine) {
    checkGolden("names", hostedFormats);
}

TEST(GoldenLevels, CollisionColoursSharedWithMarkersAreNotesOnly) {
    checkGolden("collision");
}

TEST(GoldenLevels, AnEmptyLevelMissesItsCollisionSwatches) {
    checkGolden("empty");
}

TEST(GoldenLevels, AScannedFolderThatIsAFileIsReported) {
    checkGolden("folders");
}

TEST(GoldenLevels, AMapReportCountsMarkersAndListsStrayColours) {
    checkGolden("map", threeFormats);
}

// The advice a real level needs: a stray's hint from its neighbours (a blend of two, a step
// off one, a tie, none), a near pair recoloured where the map paints least, and folders
// inside scanned folders that hold swatches.
TEST(GoldenLevels, AdviceWeighsTheMapAndEachStraysNeighbours) {
    checkGolden("advice", threeFormats);
}

TEST(GoldenLevels, UnusedListsTheMarkersAMapNeverUses) {
    checkGolden("unused");
}

TEST(GoldenLevels, LinksToNothingFifosAndFoldersAreNamedInScanOrderAndNeverAdvisedToBeAdded) {
    checkGolden("links", textAndJunit);
}

TEST(GoldenLevels, EveryProblemTheViewerFindsInDescriptionsIsOneLineWithItsFileAndLine) {
    checkGolden("descriptions", textAndJunit);
}

// The JUnit output of levels with every kind of fault and odd name passes the schema that
// CI systems' JUnit readers follow (tests/check/junit.xsd), checked by xmllint.
TEST(GoldenLevels, ALinkOutOfTheLevelThatResolvesIsANoteOnly) {
    GoldenLevel level("clean");
    GoldenLevel elsewhere;
    elsewhere.make("shared/rock.png 16 16 777777");
    level.make("textures/zz_rock.png link " + elsewhere.path() + "/shared/rock.png");
    level.make("textures/zz_rock_p.png 8 8 123123");
    const CheckRun run = runCheck({"--quiet"}, level.path());
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("textures/zz_rock.png is a link to " + elsewhere.path() +
                           "/shared/rock.png, outside the level folder; the viewer loads it"),
              std::string::npos)
        << run.out;
}

TEST(JunitOutput, PassesTheJunitSchemaWhateverTheNamesHold) {
    for (const char* name : {"clean", "descriptions", "names", "links", "map"}) {
        SCOPED_TRACE(name);
        GoldenLevel level(name);
        std::vector<std::string> arguments = goldenArguments(name);
        arguments.insert(arguments.begin(), {"--format", "junit"});
        const CheckRun run = runCheck(arguments, level.path());
        EXPECT_EQ(run.err, "");
        const std::string file = level.path() + "/report.xml";
        std::ofstream(file, std::ios::binary) << run.out;
        std::string verdict;
        EXPECT_EQ(runCommand({"xmllint", "--noout", "--schema",
                              sourceRoot() + "/tests/check/junit.xsd", file},
                             &verdict),
                  0)
            << verdict << run.out;
    }
}

TEST(GateOptions, QuietKeepsProblemsNotesAndTheLastLineAndIgnoreDropsKindsFromTheStatus) {
    GoldenLevel level("descriptions");
    const CheckRun quiet = runCheck({"--quiet"}, level.path());
    EXPECT_EQ(quiet.status, 1);
    const std::string full = GoldenLevel::goldenText("descriptions", "expected.txt");
    EXPECT_EQ(quiet.out, full.substr(full.find("problems:\n")));

    const std::vector<std::string> everyKind = {"--ignore=missing,image,type,cycle,animation",
                                                "--ignore", "frame,syntax", "-q"};
    const CheckRun ignored = runCheck(everyKind, level.path());
    EXPECT_EQ(ignored.status, 0);
    EXPECT_EQ(ignored.out, "no problems found\n");
    EXPECT_EQ(ignored.err, "");

    const CheckRun unknown = runCheck({"--ignore", "missing,colour"}, level.path());
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "levelcolors-check: --ignore takes kinds of problem as --help lists "
                           "them, not \"colour\" (see --help)\n");
}

} // namespace
