#include "drive/XServer.h"
#include "tests/app/LevelFolder.h"
#include "tests/support/TestedProgram.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Run from its own build folder the helper has no data folder: a font the level lacks is
// missing altogether.
TEST(Fonts, MissingFontImagesAreNamedBigFirstAndTextStillDraws) {
    LevelFolder level;
    for (const char* font : {"/fonts/bigFont.png", "/fonts/smallFont.png"})
        ASSERT_EQ(std::remove((level.path() + font).c_str()), 0) << font;
    XServer server;
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    TestedProgram child(
        {LEVELCOLORS_FONTS_START}, level.path(),
        {{"DISPLAY", server.display()},
         {"LSAN_OPTIONS", std::string(leakOptions && *leakOptions ? leakOptions : "") +
                              (leakOptions && *leakOptions ? ":" : "") + "print_suppressions=0"}});
    EXPECT_EQ(child.wait(), 0);
    EXPECT_EQ(child.standardOutput(), "");
    const std::string err = child.standardError();
    const std::string big = "Unable to load image fonts/bigFont.png : ";
    const std::string small = "Unable to load image fonts/smallFont.png : ";
    ASSERT_EQ(err.compare(0, big.size(), big), 0) << err;
    const size_t second = err.find('\n') + 1;
    ASSERT_EQ(err.compare(second, small.size(), small), 0) << err;
    EXPECT_GT(err.find('\n', second), second + small.size()) << "a reason follows: " << err;
    EXPECT_EQ(err.find('\n', second), err.size() - 1) << "two lines: " << err;
}

} // namespace
