// The real levelcolors-check on golden level folders: each case's output in every format,
// byte for byte, and its exit status. LEVELCOLORS_REGENERATE=1 rewrites the expected files
// (review the difference before committing it).

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
// Most levels need their text alone; two are kept in every format.
const std::vector<Format> textOnly = {text};
const std::vector<Format> everyFormat = {text, csv, json};

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
        arguments.insert(arguments.begin(), {"--format", format.name});
        // The level is the working folder, so that outputs hold no temporary path.
        const CheckRun run = runCheck(arguments, level.path());
        EXPECT_EQ(run.err, "") << format.name;
        if (regenerate) {
            std::ofstream(goldenFolder + format.expectedFile, std::ios::binary) << run.out;
            std::ofstream(goldenFolder + "expected-status.txt") << run.status << "\n";
            continue;
        }
        EXPECT_EQ(run.out, GoldenLevel::goldenText(name, format.expectedFile)) << format.name;
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
    checkGolden("names");
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
    checkGolden("map", everyFormat);
}

TEST(GoldenLevels, UnusedListsTheMarkersAMapNeverUses) {
    checkGolden("unused");
}

TEST(GoldenLevels, LinksToNothingFifosAndFoldersAreNamedInScanOrderAndNeverAdvisedToBeAdded) {
    checkGolden("links");
}

TEST(GoldenLevels, EveryProblemTheViewerFindsInDescriptionsIsOneLineWithItsFileAndLine) {
    checkGolden("descriptions");
}

} // namespace
