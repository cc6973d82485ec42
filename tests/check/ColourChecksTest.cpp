// The colour checks as pure functions of a report, and the table of finding kinds that the
// usage text lists.

#include "check/ColourChecks.h"
#include "check/FindingKind.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t red = 0xFFAA0000u;
constexpr uint32_t blue = 0xFF0000AAu;

LevelReport reportOf(const std::vector<LegendEntry>& legend, int near = 3) {
    LevelReport report;
    report.near = near;
    report.legend = legend;
    report.markers = markersOf(report.legend);
    return report;
}

LegendEntry texture(const std::string& path, uint32_t colour) {
    return {LevelFileKind::Texture, path, path + "_p.png", colour};
}

LegendEntry object(const std::string& path, uint32_t colour) {
    return {LevelFileKind::Object, path, path + "_p.png", colour};
}

TEST(ColourChecksMarkers, EachColourIsOneMarkerWithItsEntriesInScanOrder) {
    const LevelReport report = reportOf({texture("a", red),
                                         {LevelFileKind::Object, "b", "b_p.png", std::nullopt},
                                         object("c", blue),
                                         object("d", red)});
    ASSERT_EQ(report.markers.size(), 2u);
    EXPECT_EQ(report.markers[0].colour, red);
    EXPECT_EQ(report.markers[0].entries, (std::vector<size_t>{0, 3}));
    EXPECT_EQ(report.markers[1].entries, (std::vector<size_t>{2}));
}

TEST(ColourChecksDuplicates, FilesOfOneKindSharingAColourNameTheOneTheViewerKeeps) {
    const Findings found = duplicateFindings(reportOf({object("a", red), object("b", red)}));
    ASSERT_EQ(found.problems.size(), 1u);
    EXPECT_EQ(found.problems[0].kind, "duplicate");
    EXPECT_EQ(found.problems[0].files, (std::vector<std::string>{"a", "b"}));
    EXPECT_NE(found.problems[0].message.find("the viewer keeps b (scanned last)"),
              std::string::npos)
        << found.problems[0].message;
}

TEST(ColourChecksDuplicates, ACollisionColourAFileCarriesIsANoteOnly) {
    const Findings found = duplicateFindings(
        reportOf({{LevelFileKind::WalkInto, "levels/walkinto_p.png", "levels/walkinto_p.png", red},
                  object("wall", red)}));
    EXPECT_TRUE(found.problems.empty());
    ASSERT_EQ(found.notes.size(), 1u);
    EXPECT_EQ(found.notes[0].kind, "collision");
}

TEST(ColourChecksNear, PairsWithinTheLimitInEveryChannelAndNoneWhenTheLimitIsZero) {
    const std::vector<LegendEntry> legend = {texture("a", 0xFF101010u), texture("b", 0xFF121312u),
                                             texture("c", 0xFF141010u)};
    const Findings three = nearFindings(reportOf(legend, 3));
    ASSERT_EQ(three.problems.size(), 2u); // a-b (3) and b-c (3); a-c differ by 4
    EXPECT_EQ(three.problems[0].files, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(three.problems[1].files, (std::vector<std::string>{"b", "c"}));
    EXPECT_TRUE(nearFindings(reportOf(legend, 0)).problems.empty());
}

TEST(ColourChecksAdvice, AnAdvisedColourIsCheckedAgainstEveryOtherMarker) {
    const LevelReport report =
        reportOf({object("hero", 0xFFC86432u), texture("glass", 0x80C86432u),
                  texture("wall", 0xFF101010u), texture("moss", 0xFF121010u)});
    EXPECT_EQ(colourClash(report, 0xFFC86432u, 1), "already the colour of hero");
    EXPECT_EQ(colourClash(report, 0xFFC86432u, 0), "");
    EXPECT_EQ(colourClash(report, 0xFF131010u, 0), "near the colour of wall, moss");
    // The near pair's advice names a colour no marker carries or comes near.
    const Findings found = nearFindings(report);
    ASSERT_EQ(found.problems.size(), 1u);
    EXPECT_NE(found.problems[0].message.find("for example moss to #141010"), std::string::npos)
        << found.problems[0].message;
}

TEST(FindingKinds, TheUsageListNamesEveryKindOnceAlignedAfterItsName) {
    // The kinds --ignore takes and findings carry, in the order the usage text lists them.
    const std::vector<std::string> kinds = {"duplicate", "near",       "translucent", "mixed",
                                            "missing",   "unreadable", "folder",      "orphan",
                                            "special",   "stray",      "image",       "syntax",
                                            "type",      "cycle",      "frame",       "animation"};
    for (const std::string& kind : kinds)
        EXPECT_TRUE(isFindingKind(kind)) << kind;
    EXPECT_FALSE(isFindingKind("colour"));
    EXPECT_FALSE(isFindingKind(""));
    // A name starts a line two spaces in; a meaning's further lines start in its column, 15.
    const std::string list = findingKindList();
    std::vector<std::string> listed;
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);) {
        ASSERT_GT(line.size(), 15u) << line;
        EXPECT_EQ(line.substr(13, 2), "  ") << line;
        EXPECT_NE(line[15], ' ') << line;
        if (line.substr(0, 2) == "  " && line[2] != ' ')
            listed.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    EXPECT_EQ(listed, kinds);
}

} // namespace
