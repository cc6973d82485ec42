#include "platform/StderrLineCount.h"
#include "platform/StderrFile.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>

namespace {

TEST(StderrLineCount, CountsEveryLineWrittenAndPassesThemOnInTheirOrder) {
    // The lines passed on are caught in turn, to be read here.
    StderrFile outer;
    ASSERT_EQ(outer.redirect(), "");
    StderrLineCount count;
    std::fprintf(stderr, "textures/a.png: not a regular file\n");
    std::cerr << "Sprite type wobbly unknown." << std::endl;
    std::fputs("libpng warning: a last line without its line feed", stderr);
    const std::optional<size_t> lines = count.finish();
    const std::string passedOn = outer.read(0, outer.size());
    outer.restore();
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, 3u);
    EXPECT_EQ(passedOn, "textures/a.png: not a regular file\n"
                        "Sprite type wobbly unknown.\n"
                        "libpng warning: a last line without its line feed");
}

TEST(StderrLineCount, NothingWrittenIsNoLineAndASecondFinishCountsNothing) {
    StderrLineCount count;
    EXPECT_EQ(count.finish(), std::optional<size_t>(0));
    EXPECT_EQ(count.finish(), std::nullopt);
}

} // namespace
