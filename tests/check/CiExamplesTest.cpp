// The command lines that docs/ci.md and the pre-commit hook give, run as a CI system runs
// them, in a git work tree whose levels/ holds a clean level and two with problems.

#include "drive/ChildProcess.h"
#include "tests/check/GoldenLevel.h"
#include "tests/support/Paths.h"
#include "tests/support/TestedProgram.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The repository a CI job checks out: levels/clean, levels/descriptions, levels/duplicates.
class Repository {
  public:
    Repository() {
        fs::create_directories(root_.path() + "/levels");
        for (const char* name : {"clean", "descriptions", "duplicates"}) {
            root_.addGolden(name);
            fs::rename(root_.path() + "/" + name, root_.path() + "/levels/" + name);
        }
        EXPECT_EQ(runCommand({"git", "init", "-q", root_.path()}), 0);
    }
    const std::string& path() const { return root_.path(); }

  private:
    GoldenLevel root_; // removed afterwards
};

struct ShellRun {
    int status;
    std::string out;
};

// Runs one line as the CI system's shell does, the built check tool first in PATH.
ShellRun runShell(const Repository& repository, const std::string& line,
                  std::map<std::string, std::string> env = {}) {
    env["PATH"] = buildRoot() + ":" + std::getenv("PATH");
    env["DISPLAY"] = "";
    TestedProgram shell({"/bin/sh", "-c", line}, repository.path(), env);
    const int status = shell.wait(120);
    return {status, shell.standardOutput()};
}

// The report a line writes: the file after its '>', else its standard output.
std::string reportOf(const Repository& repository, const std::string& line, const ShellRun& run) {
    const size_t arrow = line.find('>');
    if (arrow == std::string::npos)
        return run.out;
    std::string file = line.substr(arrow + 1);
    file.erase(0, file.find_first_not_of(' '));
    return fileText(repository.path() + "/" + file);
}

// The check tool's command lines of docs/ci.md's examples, each with the share count of its
// block ("parallel: 4" or "/4" after a matrix value), 0 for none.
struct Example {
    std::string line;
    int shares = 0;
};

std::vector<Example> ciExamples() {
    std::istringstream doc(fileText(sourceRoot() + "/docs/ci.md"));
    std::vector<Example> examples;
    std::string text, block;
    bool inBlock = false;
    int parallel = 0;
    while (std::getline(doc, text)) {
        if (text.rfind("```", 0) == 0) {
            inBlock = !inBlock;
            parallel = 0;
            continue;
        }
        std::smatch match;
        if (inBlock && std::regex_search(text, match, std::regex("^\\s*parallel: (\\d+)")))
            parallel = std::stoi(match[1]);
        if (!inBlock || !std::regex_search(text, match, std::regex("(levelcolors-check --.*)$")))
            continue;
        Example example{match[1], parallel};
        if (std::regex_search(example.line, match,
                              std::regex("\\$\\{\\{ matrix.shard \\}\\}/(\\d+)")))
            example.shares = std::stoi(match[1]);
        examples.push_back(example);
    }
    return examples;
}

std::string formatOf(const std::string& line) {
    std::smatch match;
    return std::regex_search(line, match, std::regex("--format (\\w+)")) ? match[1].str() : "text";
}

// The levels a report names, by the paths of its records ("levels/NAME/...") or its
// headings ("level levels/NAME: ...").
std::set<std::string> levelsNamed(const std::string& report) {
    std::set<std::string> levels;
    const std::regex path("levels/([a-z]+)[/:]");
    for (auto it = std::sregex_iterator(report.begin(), report.end(), path);
         it != std::sregex_iterator(); ++it)
        levels.insert((*it)[1]);
    return levels;
}

// A report in a CI format: valid by its schema, its problems on the levels with problems.
void expectReport(const std::string& format, const std::string& report, const std::string& where) {
    SCOPED_TRACE(where);
    if (format == "sarif" || format == "codequality") {
        const std::string file = fs::temp_directory_path() / ("ci-example-report." + format);
        std::ofstream(file, std::ios::binary) << report;
        std::vector<std::string> command = {
            "/usr/bin/python3", sourceRoot() + "/tests/check/validate_report.py", format};
        if (format == "sarif")
            command.push_back(sourceRoot() + "/tests/check/sarif-schema-2.1.0.json");
        command.push_back(file);
        EXPECT_EQ(runCommand(command), 0);
        fs::remove(file);
    }
    if (format == "github") {
        std::istringstream lines(report);
        std::string text, last;
        while (std::getline(lines, text)) {
            if (!last.empty()) {
                EXPECT_TRUE(last.rfind("::error ", 0) == 0 || last.rfind("::notice ", 0) == 0)
                    << last;
            }
            last = text;
        }
        EXPECT_EQ(last.rfind("::", 0), std::string::npos) << "the summary line ends it";
    }
}

TEST(CiExamples, EachCommandLineReportsTheLevelsWithProblems) {
    Repository repository;
    const std::set<std::string> broken = {"descriptions", "duplicates"};
    const std::vector<Example> examples = ciExamples();
    ASSERT_GE(examples.size(), 5u) << "docs/ci.md lost its examples";
    for (const Example& example : examples) {
        const std::string format = formatOf(example.line);
        if (example.shares == 0 && example.line.find("$CI_NODE") == std::string::npos) {
            const ShellRun run = runShell(repository, example.line);
            EXPECT_EQ(run.status, 1) << example.line;
            const std::string report = reportOf(repository, example.line, run);
            expectReport(format, report, example.line);
            EXPECT_EQ(levelsNamed(report), broken) << example.line;
            continue;
        }
        // Each share is its own job: together they name each level once.
        const int shares = example.shares ? example.shares : 4;
        std::multiset<std::string> named;
        for (int share = 1; share <= shares; ++share) {
            std::string line = example.line;
            line = std::regex_replace(line, std::regex("\\$\\{\\{ matrix.shard \\}\\}"),
                                      std::to_string(share));
            const ShellRun run = runShell(repository, line,
                                          {{"CI_NODE_INDEX", std::to_string(share)},
                                           {"CI_NODE_TOTAL", std::to_string(shares)}});
            const std::string report = reportOf(repository, line, run);
            const std::set<std::string> levels = levelsNamed(report);
            EXPECT_EQ(run.status, levels.empty() ? 0 : 1) << line;
            expectReport(format, report, line);
            named.insert(levels.begin(), levels.end());
        }
        EXPECT_EQ(named, std::multiset<std::string>(broken.begin(), broken.end())) << example.line;
    }
}

// The hook's own fields, and its entry with the documented arguments, as pre-commit runs it.
TEST(CiExamples, PreCommitHookStopsACommitOnALevelWithProblems) {
    const std::string hooks = fileText(sourceRoot() + "/.pre-commit-hooks.yaml");
    std::smatch match;
    for (const char* field :
         {"- id: levelcolors-check", "language: system", "pass_filenames: false"})
        EXPECT_NE(hooks.find(field), std::string::npos) << field;
    ASSERT_TRUE(std::regex_search(hooks, match, std::regex("entry: (.+)")));
    const std::string entry = match[1];
    const std::string doc = fileText(sourceRoot() + "/docs/ci.md");
    ASSERT_TRUE(std::regex_search(doc, match, std::regex("args: \\[(.+)\\]")));
    const std::string args = std::regex_replace(match[1].str(), std::regex(", "), " ");

    Repository repository;
    const ShellRun run = runShell(repository, entry + " " + args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(levelsNamed(run.out), (std::set<std::string>{"descriptions", "duplicates"}));
}

} // namespace
