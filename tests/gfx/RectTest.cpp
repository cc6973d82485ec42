#include "gfx/Rect.h"

#include <gtest/gtest.h>

namespace {

struct OverlapCase {
    Rect a;
    Rect b;
    bool expected;
    const char* what;
};

// Along x; the same spans are turned onto y for overlapsY.
const OverlapCase spanCases[] = {
    {{0, 0, 10, 1}, {5, 0, 10, 1}, true, "partly covering"},
    {{0, 0, 10, 1}, {2, 0, 3, 1}, true, "one inside the other"},
    {{0, 0, 10, 1}, {10, 0, 5, 1}, false, "touching on the right"},
    {{10, 0, 5, 1}, {0, 0, 10, 1}, false, "touching on the left"},
    {{0, 0, 10, 1}, {9, 0, 5, 1}, true, "sharing one column"},
    {{0, 0, 10, 1}, {20, 0, 5, 1}, false, "apart"},
    // The strict tests still let an empty span inside another count as overlapping.
    {{5, 0, 0, 1}, {0, 0, 10, 1}, true, "empty span inside another"},
    {{-20, 0, 20, 1}, {0, 0, 300, 1}, false, "negative start touching zero"},
    {{-20, 0, 21, 1}, {0, 0, 300, 1}, true, "negative start reaching column zero"},
    // x + w past 32767 must not wrap to a negative 16-bit value.
    {{30000, 0, 5000, 1}, {32767, 0, 1, 1}, true, "end past 16 bits"},
    {{-32768, 0, 65535, 1}, {32767, 0, 1, 1}, false, "widest span touching the last column"},
    {{-32768, 0, 65535, 1}, {32766, 0, 1, 1}, true, "widest span covering"},
    {{32767, 0, 65535, 1}, {-32768, 0, 65535, 1}, false, "far right and far left"},
};

TEST(RectOverlap, SpansAlongX) {
    for (const OverlapCase& c : spanCases) {
        EXPECT_EQ(overlapsX(c.a, c.b), c.expected) << c.what;
        EXPECT_EQ(overlapsX(c.b, c.a), c.expected) << c.what << " (swapped)";
    }
}

TEST(RectOverlap, SpansAlongY) {
    for (const OverlapCase& c : spanCases) {
        const Rect a = {0, c.a.x, 1, c.a.w};
        const Rect b = {0, c.b.x, 1, c.b.w};
        EXPECT_EQ(overlapsY(a, b), c.expected) << c.what;
        EXPECT_EQ(overlapsY(b, a), c.expected) << c.what << " (swapped)";
        // x is not looked at by the y test.
        EXPECT_EQ(overlapsY(Rect{100, a.y, 1, a.h}, b), c.expected) << c.what;
    }
}

TEST(RectOverlap, NeedsBothAxes) {
    const Rect view = {0, 0, 300, 800};
    EXPECT_TRUE(rectsOverlap({10, 10, 20, 20}, view));
    EXPECT_FALSE(rectsOverlap({300, 10, 20, 20}, view)) << "touching the right edge";
    EXPECT_TRUE(rectsOverlap({299, 10, 20, 20}, view));
    EXPECT_FALSE(rectsOverlap({10, 800, 20, 20}, view)) << "touching the bottom edge";
    EXPECT_FALSE(rectsOverlap({10, -20, 20, 20}, view)) << "touching the top edge";
    EXPECT_TRUE(rectsOverlap({10, -20, 20, 21}, view));
    EXPECT_FALSE(rectsOverlap({400, 400, 10, 10}, view)) << "overlapping in y only";
    EXPECT_FALSE(rectsOverlap({10, 900, 10, 10}, view)) << "overlapping in x only";
    EXPECT_FALSE(rectsOverlap({-20, -20, 20, 20}, view)) << "touching a corner";
}

} // namespace
