#include "tests/layers/LayerCheck.h"
#include "tests/layers/LayerTable.h"
#include "tests/support/Paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

const std::string checkRule = "check/ may use level/, listfile/, platform/ and diagnostics/ only";

struct IncludeCase {
    const char* path;
    const char* text;
    std::vector<std::string> findings;
};

const IncludeCase includeCases[] = {
    {"check/Legend.cpp",
     "#include \"check/Legend.h\"\n\n#include \"gfx/Renderer.h\"\n",
     {"check/Legend.cpp:3: includes gfx/Renderer.h: " + checkRule}},
    {"check/Legend.cpp",
     "#include \"../sprites/Sprite.h\"\n",
     {"check/Legend.cpp:1: includes sprites/Sprite.h: " + checkRule}},
    {"check/Legend.cpp",
     "#include <app/Level.h>\n",
     {"check/Legend.cpp:1: includes app/Level.h: " + checkRule}},
    // sprites/ reaches platform/ only through gfx/.
    {"sprites/Sprite.cpp",
     "#include \"gfx/Renderer.h\"\n#include \"platform/Yield.h\"\n",
     {"sprites/Sprite.cpp:2: includes platform/Yield.h: sprites/ may use gfx/, listfile/ and "
      "diagnostics/ only"}},
    {"gfx/Screen.cpp", "  #  include <platform/GlLibrary.h>\n", {}},
    {"listfile/ListReader.cpp", "#include \"diagnostics/DiagnosticSink.h\"\n", {}},
    {"diagnostics/DiagnosticSink.cpp",
     "#include \"platform/Yield.h\"\n",
     {"diagnostics/DiagnosticSink.cpp:1: includes platform/Yield.h: diagnostics/ uses nothing"}},
    // What serves the tests is none of the product's.
    {"platform/Yield.cpp",
     "#include \"tests/support/Paths.h\"\n",
     {"platform/Yield.cpp:1: includes tests/support/Paths.h: platform/ may use diagnostics/ only"}},
    {"level/LevelLayout.cpp",
     "#include \"drive/XServer.h\"\n",
     {"level/LevelLayout.cpp:1: includes drive/XServer.h: level/ may use listfile/, platform/ and "
      "diagnostics/ only"}},
    {"drive/XServer.cpp",
     "#include \"platform/Yield.h\"\n",
     {"drive/XServer.cpp:1: includes platform/Yield.h: drive/ may use diagnostics/ only"}},
    // System headers, the folder's own headers and comments are no one's layer.
    {"app/main.cpp", "#include <sys/stat.h>\n#include <SDL.h>\n#include \"KeyTable.h\"\n", {}},
    {"app/main.cpp", "// #include \"check/Legend.h\"\n/* #include \"tests/x.h\" */\n", {}},
    {"app/main.cpp",
     "#include \"level/LevelLayout.h\"\n#include \"sprites/Sprite.h\"\n#include "
     "\"diagnostics/DiagnosticSink.h\"\n",
     {}},
    // The tests, tools and benchmarks may use anything.
    {"tests/app/ViewerTest.cpp", "#include \"app/Level.h\"\n#include \"drive/XServer.h\"\n", {}},
    {"bench/CheckBench.cpp", "#include \"check/LevelCheck.h\"\n", {}},
};

TEST(LayerIncludes, NamesTheFileTheLineAndTheRule) {
    for (const IncludeCase& c : includeCases)
        EXPECT_EQ(forbiddenIncludes(c.path, c.text), c.findings) << c.path << ":\n" << c.text;
}

// A table as the configure step writes it. The root's own target (the sanitizer's runtime
// settings) is linked into every program.
const char* const linkTable =
    "levelcolors_diagnostics\tdiagnostics\t\n"
    "levelcolors_platform\tplatform\tThreads::Threads;PkgConfig::SDL;levelcolors_diagnostics\n"
    "levelcolors_gfx\tgfx\tPkgConfig::SDL;$<LINK_ONLY:levelcolors_platform>\n"
    "levelcolors_levelrules\tlevel\tlevelcolors_platform\n"
    "levelcolors_sprites\tsprites\tlevelcolors_gfx;levelcolors_platform;$<LINK_ONLY:levelcolors_"
    "platform>\n"
    "levelcolors_check\tcheck\tlevelcolors_levelrules;levelcolors_gfx\n"
    "levelcolors-check\tcheck\tlevelcolors_check;$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,"
    "EXECUTABLE>:levelcolors_sanitizer_defaults>\n"
    "levelcolors_sanitizer_defaults\t.\t\n"
    "check_tests\ttests/check\tlevelcolors_check;levelcolors_gfx;GTest::gtest\n"
    "a line without its fields\n";

TEST(LayerLinks, NamesTheCMakeFileTheLinkAndTheRule) {
    const std::vector<LinkedTarget> targets = parseLinkTable(linkTable);
    ASSERT_EQ(targets.size(), 9u);
    EXPECT_EQ(targets[3].directory, "level");
    const std::vector<std::string> expected = {
        "sprites/CMakeLists.txt: levelcolors_sprites links levelcolors_platform (platform/): "
        "sprites/ may use gfx/, listfile/ and diagnostics/ only",
        "check/CMakeLists.txt: levelcolors_check links levelcolors_gfx (gfx/): " + checkRule,
    };
    EXPECT_EQ(forbiddenLinks(targets), expected);
}

TEST(LayerIncludes, NoProductFileIncludesOutsideItsLayers) {
    std::vector<std::string> findings;
    for (const std::string& folder : governedFolders()) {
        const std::vector<std::string> files = codeFiles(sourceRoot(), folder);
        EXPECT_FALSE(files.empty()) << "no code found in " << folder << "/";
        for (const std::string& file : files) {
            const std::vector<std::string> found =
                forbiddenIncludes(file, readFile(sourceRoot() + "/" + file));
            findings.insert(findings.end(), found.begin(), found.end());
        }
    }
    EXPECT_TRUE(findings.empty()) << joined(findings);
}

TEST(LayerLinks, NoLibraryLinksOutsideItsLayers) {
    const std::string table = readFile(buildRoot() + "/layers/links.txt");
    const std::vector<LinkedTarget> targets = parseLinkTable(table);
    std::set<std::string> folders;
    for (const LinkedTarget& target : targets)
        folders.insert(target.directory);
    for (const std::string& folder : governedFolders())
        EXPECT_EQ(folders.count(folder), 1u) << "no target of " << folder << "/ in the table";
    const std::vector<std::string> findings = forbiddenLinks(targets);
    EXPECT_TRUE(findings.empty()) << joined(findings);
}

} // namespace
