#include "diagnostics/DiagnosticSink.h"

#include <gtest/gtest.h>

namespace {

using Kind = DiagnosticKind;

// A diagnostic, the bytes the viewer's sink writes for it and the lines it counts.
struct Written {
    Diagnostic diagnostic;
    std::string bytes;
    size_t lines;
};

const Written writtenCases[] = {
    {{Kind::ListFile, "a.txt", {}, "a.txt: ", "file holds no list"},
     "a.txt: file holds no list\n",
     1},
    {{Kind::ListFile, "a.txt", {}, "", "Unable to open list file a.txt"},
     "Unable to open list file a.txt\n",
     1},
    {{Kind::Element, "a.txt", 4, "-1: ", "Attempt to firstInt on empty list"},
     "-1: Attempt to firstInt on empty list\n",
     1},
    // A library's own output keeps its line feeds, however many lines it holds.
    {{Kind::Library, "b.png", {}, "", "libpng warning: iCCP: known incorrect sRGB profile\n"},
     "libpng warning: iCCP: known incorrect sRGB profile\n",
     1},
    {{Kind::Library, "b.png", {}, "", "libpng warning: one\nlibpng warning: two\n"},
     "libpng warning: one\nlibpng warning: two\n",
     2},
    {{Kind::Level, "", {}, "", ""}, "\n", 1},
};

TEST(StandardErrorSink, WritesEachDiagnosticAsOneLineAtOnceAndCountsTheLines) {
    StandardErrorSink sink;
    size_t lines = 0;
    for (const Written& expected : writtenCases) {
        testing::internal::CaptureStderr();
        sink.report(expected.diagnostic);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), expected.bytes);
        lines += expected.lines;
        EXPECT_EQ(sink.lines(), lines) << expected.bytes;
    }
}

TEST(DiagnosticList, KeepsEveryDiagnosticInTheOrderReported) {
    DiagnosticList list;
    for (const Written& item : writtenCases)
        list.report(item.diagnostic);
    ASSERT_EQ(list.items.size(), std::size(writtenCases));
    for (size_t i = 0; i < list.items.size(); ++i)
        EXPECT_EQ(list.items[i], writtenCases[i].diagnostic) << i;
}

TEST(Diagnostic, IsWrittenAsItsLocationThenItsText) {
    const Diagnostic located = {Kind::Description, "d.txt", 2, "d.txt:3: ",
                                "frame f.png cannot be "
                                "loaded: gone"};
    EXPECT_EQ(located.written(), "d.txt:3: frame f.png cannot be loaded: gone");
    EXPECT_EQ(
        (Diagnostic{Kind::Image, "f.png", {}, "", "Unable to load image f.png : gone"}).written(),
        "Unable to load image f.png : gone");
}

} // namespace
