// Palette files written by --palette, read back the way a paint program reads them.

#include "tests/check/CheckRun.h"
#include "tests/check/GoldenLevel.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct PaletteEntry {
    uint32_t rgb;
    std::string name;
    bool operator==(const PaletteEntry& other) const {
        return rgb == other.rgb && name == other.name;
    }
};

void PrintTo(const PaletteEntry& entry, std::ostream* out) {
    *out << std::hex << entry.rgb << std::dec << " '" << entry.name << "'";
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text, const std::string& ending) {
    std::vector<std::string> result;
    size_t start = 0;
    for (size_t end; (end = text.find(ending, start)) != std::string::npos;
         start = end + ending.size())
        result.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the last line has no ending";
    return result;
}

uint32_t rgbOf(std::istringstream& fields) {
    int r = -1, g = -1, b = -1;
    fields >> r >> g >> b;
    EXPECT_TRUE(r >= 0 && r < 256 && g >= 0 && g < 256 && b >= 0 && b < 256);
    return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

// The distinct colours of the legend in order, named after the files that carry them.
std::vector<PaletteEntry> legendPalette(const std::string& level) {
    std::vector<PaletteEntry> entries;
    for (const auto& record : csvRecords(runCheck({"--format", "csv"}, level).out)) {
        if (record.at(0) != "legend" || record.at(2).empty())
            continue;
        const uint32_t rgb = recordColour(record) & 0xFFFFFF;
        bool known = false;
        for (PaletteEntry& entry : entries) {
            if (entry.rgb == rgb) {
                entry.name += ", " + record.at(4);
                known = true;
            }
        }
        if (!known)
            entries.push_back({rgb, record.at(4)});
    }
    return entries;
}

std::vector<PaletteEntry> readGimp(const std::string& path) {
    const std::vector<std::string> text = lines(fileText(path), "\n");
    EXPECT_GE(text.size(), 4u);
    if (text.size() < 4)
        return {};
    EXPECT_EQ(text[0], "GIMP Palette");
    EXPECT_EQ(text[1].rfind("Name: ", 0), 0u);
    EXPECT_EQ(text[2].rfind("Columns: ", 0), 0u);
    EXPECT_EQ(text[3], "#");
    std::vector<PaletteEntry> entries;
    for (size_t i = 4; i < text.size(); ++i) {
        const size_t tab = text[i].find('\t');
        EXPECT_NE(tab, std::string::npos) << text[i];
        std::istringstream fields(text[i].substr(0, tab));
        entries.push_back({rgbOf(fields), text[i].substr(tab + 1)});
    }
    return entries;
}

std::vector<uint32_t> readJasc(const std::string& path) {
    const std::vector<std::string> text = lines(fileText(path), "\r\n");
    EXPECT_GE(text.size(), 3u);
    if (text.size() < 3)
        return {};
    EXPECT_EQ(text[0], "JASC-PAL");
    EXPECT_EQ(text[1], "0100");
    EXPECT_EQ(text[2], std::to_string(text.size() - 3));
    std::vector<uint32_t> colours;
    for (size_t i = 3; i < text.size(); ++i) {
        std::istringstream fields(text[i]);
        colours.push_back(rgbOf(fields));
    }
    return colours;
}

TEST(Palette, GimpAndJascFilesHoldEachDistinctColourOnceInLegendOrder) {
    for (const char* name : {"duplicates", "names", "swatches"}) {
        GoldenLevel level(name);
        const std::vector<PaletteEntry> expected = legendPalette(level.path());
        const CheckRun gimp = runCheck({"--palette", "out.gpl"}, level.path());
        EXPECT_EQ(gimp.err, "");
        EXPECT_EQ(gimp.status, GoldenLevel::goldenText(name, "expected-status.txt")[0] - '0');
        const CheckRun jasc = runCheck({"--palette=OUT.PAL"}, level.path());
        EXPECT_EQ(jasc.err, "");

        std::vector<PaletteEntry> named = expected;
        for (PaletteEntry& entry : named) // a palette name is one field on one line
            for (char& c : entry.name)
                c = c == '\t' || c == '\n' ? ' ' : c;
        EXPECT_EQ(readGimp(level.path() + "/out.gpl"), named) << name;
        std::vector<uint32_t> colours;
        for (const PaletteEntry& entry : expected)
            colours.push_back(entry.rgb);
        EXPECT_EQ(readJasc(level.path() + "/OUT.PAL"), colours) << name;
    }
}

TEST(Palette, AnEmptyLevelGivesEmptyPalettes) {
    GoldenLevel level("empty");
    runCheck({"--palette", "out.gpl"}, level.path());
    runCheck({"--palette", "out.pal"}, level.path());
    EXPECT_EQ(readGimp(level.path() + "/out.gpl").size(), 0u);
    EXPECT_EQ(fileText(level.path() + "/out.pal"), "JASC-PAL\r\n0100\r\n0\r\n");
}

TEST(Palette, APaletteThatCannotBeWrittenIsStatusTwoAfterTheReport) {
    GoldenLevel level("clean");
    std::filesystem::create_directories(level.path() + "/taken.gpl");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"taken.gpl", "Is a directory"},
        {"no/such/folder.pal", "No such file or directory"},
    };
    for (const auto& [file, reason] : cases) {
        const CheckRun run = runCheck({"--palette", file}, level.path());
        EXPECT_EQ(run.status, 2) << file;
        EXPECT_EQ(run.err,
                  "levelcolors-check: cannot write palette " + file + ": " + reason + "\n");
        EXPECT_NE(run.out.find("no problems found"), std::string::npos);
    }
    if (std::filesystem::exists("/dev/full")) {
        // The disk is full: the failure shows when the text is flushed, not when the file opens.
        std::filesystem::create_symlink("/dev/full", level.path() + "/full.gpl");
        const CheckRun run = runCheck({"--palette", "full.gpl"}, level.path());
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err,
                  "levelcolors-check: cannot write palette full.gpl: No space left on device\n");
    }
}

} // namespace
