// The reports a repository's hosting service reads (sarif, github, codequality), run on real
// levels: valid for their readers, paths from the right folder, fingerprints that hold.

#include "drive/ChildProcess.h"
#include "tests/check/CheckRun.h"
#include "tests/check/GoldenLevel.h"
#include "tests/support/Paths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> goldenArguments(const std::string& name) {
    std::istringstream words(GoldenLevel::goldenText(name, "args.txt"));
    std::vector<std::string> arguments;
    for (std::string word; words >> word;)
        arguments.push_back(word);
    return arguments;
}

// The lines of `text` that begin with `start`.
std::vector<std::string> linesStarting(const std::string& text, const std::string& start) {
    std::istringstream lines(text);
    std::vector<std::string> found;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(start, 0) == 0)
            found.push_back(line);
    }
    return found;
}

// Each code quality record's fingerprint and path, as "fingerprint path".
std::set<std::string> fingerprintedPaths(const std::string& report) {
    std::set<std::string> found;
    for (size_t at = report.find("\"fingerprint\": \""); at != std::string::npos;
         at = report.find("\"fingerprint\": \"", at + 1)) {
        const size_t start = at + 16;
        const size_t pathStart = report.find("\"path\": \"", start) + 9;
        found.insert(report.substr(start, report.find('"', start) - start) + " " +
                     report.substr(pathStart, report.find('"', pathStart) - pathStart));
    }
    return found;
}

TEST(HostedReports, SarifPassesItsSchemaAndCodeQualityHasEveryFieldOnEveryBrokenLevel) {
    const std::string validator = sourceRoot() + "/tests/check/validate_report.py";
    for (const char* name : {"clean", "descriptions", "names", "links", "map", "swatches",
                             "duplicates", "collision", "folders"}) {
        SCOPED_TRACE(name);
        GoldenLevel level(name);
        for (const char* format : {"sarif", "codequality"}) {
            std::vector<std::string> arguments = goldenArguments(name);
            arguments.insert(arguments.begin(), {"--format", format});
            const CheckRun run = runCheck(arguments, level.path());
            EXPECT_EQ(run.err, "");
            // The same level gives the same report: nothing in it comes from the run.
            EXPECT_EQ(runCheck(arguments, level.path()).out, run.out) << format;
            const std::string file = level.path() + "/report." + format;
            std::ofstream(file, std::ios::binary) << run.out;
            std::vector<std::string> command = {"/usr/bin/python3", validator, format, file};
            if (std::string(format) == "sarif")
                command.insert(command.begin() + 3,
                               sourceRoot() + "/tests/check/sarif-schema-2.1.0.json");
            std::string faults;
            EXPECT_EQ(runCommand(command, &faults), 0) << format << "\n" << faults << run.out;
        }
    }
}

TEST(HostedReports, AFindingKeepsItsFingerprintWhenOtherProblemsComeAndGo) {
    GoldenLevel level("names");
    const std::vector<std::string> arguments = {"--format", "codequality", "--map", "painted.png"};
    const std::set<std::string> before = fingerprintedPaths(runCheck(arguments, level.path()).out);
    ASSERT_EQ(before.size(), 7u);
    // A problem scanned before all the others, and one of the two that shared a fingerprint
    // gone: the rest keep theirs.
    level.make("characters/0.txt text");
    std::ofstream(level.path() + "/textures/short.txt")
        << "(animated (loop)\n (sprite (filename textures/a.jpg) (time 5)) (sprite (filename "
           "textures/b.png) (time 5))\n (sprite (filename) (time 5)))\n";
    const std::set<std::string> after = fingerprintedPaths(runCheck(arguments, level.path()).out);
    std::vector<std::string> lost;
    for (const std::string& found : before) {
        if (!after.count(found))
            lost.push_back(found);
    }
    ASSERT_EQ(lost.size(), 1u) << testing::PrintToString(lost);
    EXPECT_NE(lost[0].find("-2 textures/short.txt"), std::string::npos) << lost[0];
    EXPECT_EQ(after.size(), before.size() + 1);
}

// A work tree in a temporary folder: levels, maps and other folders in it, removed afterwards.
struct WorkTree {
    GoldenLevel top;
    std::string path(const std::string& inside) const { return top.path() + "/" + inside; }
    void brokenLevel(const std::string& folder) const {
        fs::create_directories(path(folder + "/characters"));
        std::ofstream(path(folder + "/characters/hero.txt")) << "(object (name hero))\n";
    }
};

// The annotation line that begins with `start`; the whole output when there is none.
std::string annotation(const CheckRun& run, const std::string& start) {
    const std::vector<std::string> found = linesStarting(run.out, start);
    return found.empty() ? run.out + run.err : found.front();
}

TEST(HostedReports, PathsStartAtTheWorkTreeTopTheLevelOrRoot) {
    WorkTree tree;
    tree.brokenLevel("levels/forest");
    fs::create_directories(tree.path("elsewhere"));
    fs::create_directory_symlink(tree.path("levels/forest"), tree.path("elsewhere/forest"));
    const std::string missing =
        ",title=missing::missing swatch characters/hero_p.png of characters/hero.txt: the viewer "
        "leaves characters/hero.txt out; add it, painted in one marker colour";

    struct Case {
        const char* what;
        const char* gitEntry; // "" none, "folder", "file"
        std::vector<std::string> arguments;
        const char* cwd;
        std::string file; // where the hero's missing swatch is
    };
    const std::vector<Case> cases = {
        {"a .git folder above the level",
         "folder",
         {"levels/forest"},
         "",
         "levels/forest/characters/hero_p.png"},
        {"a linked work tree's .git file",
         "file",
         {"levels/forest"},
         "",
         "levels/forest/characters/hero_p.png"},
        {"the level reached through a link",
         "folder",
         {"forest"},
         "elsewhere",
         "levels/forest/characters/hero_p.png"},
        {"--root above the level",
         "folder",
         {"--root", "levels", "levels/forest"},
         "",
         "forest/characters/hero_p.png"},
        {"--root inside the level",
         "",
         {"--root=levels/forest/characters", "levels/forest"},
         "",
         "hero_p.png"},
        {"--root beside the level: the path as given",
         "folder",
         {"--root", "elsewhere", "levels/forest"},
         "",
         "levels/forest/characters/hero_p.png"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        fs::remove_all(tree.path(".git"));
        if (std::string(test.gitEntry) == "folder")
            fs::create_directory(tree.path(".git"));
        else if (std::string(test.gitEntry) == "file")
            std::ofstream(tree.path(".git")) << "gitdir: /elsewhere/.git/worktrees/forest\n";
        std::vector<std::string> arguments = test.arguments;
        arguments.insert(arguments.begin(), {"--format", "github"});
        const CheckRun run = runCheck(arguments, tree.path(test.cwd));
        EXPECT_EQ(run.status, 1) << run.err;
        const std::string start = "::error file=" + test.file + ",";
        EXPECT_EQ(annotation(run, start), "::error file=" + test.file + missing);
    }
}

TEST(HostedReports, WithNoWorkTreePathsStartAtTheLevelAndAMapOutsideKeepsItsPath) {
    WorkTree tree;
    for (fs::path above = fs::path(tree.top.path()); above != above.parent_path();
         above = above.parent_path()) {
        if (fs::exists(above.parent_path() / ".git"))
            GTEST_SKIP() << "the temporary folders lie in the work tree " << above.parent_path();
    }
    tree.brokenLevel("levels/forest");
    std::ofstream(tree.path("levels/forest/characters/hero_p.png"), std::ios::binary);
    tree.top.make("maps/forest.png 2 1 123456");
    const CheckRun run = runCheck({"--format", "github", "--map", "../../maps/forest.png"},
                                  tree.path("levels/forest"));
    EXPECT_EQ(run.status, 1) << run.err;
    const std::string unreadable = annotation(run, "::error file=characters/hero_p.png,");
    EXPECT_EQ(unreadable.substr(0, unreadable.find("::", 2)),
              "::error file=characters/hero_p.png,title=unreadable");
    const std::string stray = annotation(run, "::error file=../../maps/forest.png,");
    EXPECT_EQ(stray.substr(0, stray.find("::", 2)),
              "::error file=../../maps/forest.png,line=1,col=1,title=stray");
}

TEST(HostedReports, ARootThatIsNoFolderIsStatusTwoInOneLine) {
    GoldenLevel level("clean");
    const CheckRun missing = runCheck({"--format", "sarif", "--root", "no such"}, level.path());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "levelcolors-check: cannot use --root no such: No such file or directory\n");
    const CheckRun file = runCheck({"--root", "levels/walkinto_p.png"}, level.path());
    EXPECT_EQ(file.status, 2);
    EXPECT_EQ(file.err,
              "levelcolors-check: cannot use --root levels/walkinto_p.png: it is not a folder\n");
}

} // namespace
