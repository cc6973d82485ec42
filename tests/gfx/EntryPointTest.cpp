#include "drive/ChildProcess.h"
#include "gfx/GlEntryPoints.h"
#include "gfx/Renderer.h"
#include "platform/GlLibrary.h"
#include "tests/gfx/GlWorld.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// The table's names in field order, from the table itself.
std::vector<std::string> fieldOrder() {
    return {
#define LEVELCOLORS_GL_NAME(result, name, params) #name,
        LEVELCOLORS_GL_ENTRY_POINTS(LEVELCOLORS_GL_NAME)
#undef LEVELCOLORS_GL_NAME
    };
}

// What the loader should ask for, in order, on this platform.
std::vector<std::string> expectedLookups() {
    std::vector<std::string> names = fieldOrder();
    const auto pop = std::find(names.begin(), names.end(), "glPopMatrix");
    const auto push = std::find(names.begin(), names.end(), "glPushMatrix");
    std::iter_swap(pop, push);
    if (!glHasWindowsFontEntryPoint())
        names.erase(std::find(names.begin(), names.end(), "wglUseFontBitmapsA"));
    return names;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

struct Lookup {
    int status;
    std::string out;
    std::vector<std::string> asked;
};

Lookup lookUpAllBut(const std::string& missing) {
    std::vector<std::string> argv = {LEVELCOLORS_ENTRY_POINT_LOOKUP};
    if (!missing.empty())
        argv.push_back(missing);
    ChildProcess child(argv, "", GlWorld::get().childEnvironment());
    const int status = child.wait();
    return {status, child.standardOutput(), lines(child.standardError())};
}

TEST(EntryPoints, TheRenderersTableIsComplete) {
    GlWorld::get().openScreen();
    const GlEntryPoints& table = Renderer::get();
    int present = 0;
#define LEVELCOLORS_GL_COUNT(result, name, params)                                                 \
    if (table.name)                                                                                \
        ++present;                                                                                 \
    else                                                                                           \
        EXPECT_EQ(std::string(#name), "wglUseFontBitmapsA") << "missing entry point";
    LEVELCOLORS_GL_ENTRY_POINTS(LEVELCOLORS_GL_COUNT)
#undef LEVELCOLORS_GL_COUNT
    EXPECT_EQ(int(fieldOrder().size()), GlEntryPoints::count);
    EXPECT_EQ(present, glHasWindowsFontEntryPoint() ? 47 : 46);
    EXPECT_EQ(table.wglUseFontBitmapsA == nullptr, !glHasWindowsFontEntryPoint());
}

TEST(EntryPoints, AreLookedUpInTableOrderWithPushBeforePop) {
    const Lookup all = lookUpAllBut("");
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out, "");
    EXPECT_EQ(all.asked, expectedLookups());
    const auto push = std::find(all.asked.begin(), all.asked.end(), "glPushMatrix");
    ASSERT_NE(push, all.asked.end());
    ASSERT_NE(push + 1, all.asked.end());
    EXPECT_EQ(push[1], "glPopMatrix");
}

TEST(EntryPoints, AMissingOneEndsTheProcessAndNothingLaterIsAsked) {
    const std::vector<std::string> expected = expectedLookups();
    for (const char* missing :
         {"glTexCoord2f", "glBegin", "glPopMatrix", "glDeleteTextures", "glVertex3f"}) {
        SCOPED_TRACE(missing);
        const Lookup run = lookUpAllBut(missing);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "Unable to get function pointer for " + std::string(missing) + "\n");
        const auto end = std::find(expected.begin(), expected.end(), missing) + 1;
        EXPECT_EQ(run.asked, std::vector<std::string>(expected.begin(), end));
    }
    const Lookup texCoord = lookUpAllBut("glTexCoord2f");
    EXPECT_EQ(std::count(texCoord.asked.begin(), texCoord.asked.end(), "glTexEnvf"), 0);
    const Lookup pop = lookUpAllBut("glPopMatrix");
    EXPECT_EQ(std::count(pop.asked.begin(), pop.asked.end(), "glPushMatrix"), 1);
}

TEST(EntryPoints, OpenGlIsNotLinked) {
    for (const std::string& program :
         {std::string(LEVELCOLORS_SCREEN_START), std::string(LEVELCOLORS_ENTRY_POINT_LOOKUP),
          std::filesystem::read_symlink("/proc/self/exe").string()}) {
        SCOPED_TRACE(program);
        std::string dynamic;
        ASSERT_EQ(runCommand({"readelf", "-d", program}, &dynamic), 0);
        ASSERT_NE(dynamic.find("(NEEDED)"), std::string::npos) << dynamic;
        for (const std::string& line : lines(dynamic)) {
            if (line.find("(NEEDED)") == std::string::npos)
                continue;
            for (const char* gl : {"libGL.", "libGL-", "libOpenGL", "libGLX", "libEGL"})
                EXPECT_EQ(line.find(gl), std::string::npos) << line;
        }
    }
}

} // namespace
