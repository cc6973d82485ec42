// The one test of a file's kind by its name, as a table of names and what each rule says.

#include "listfile/FileExtension.h"

#include <gtest/gtest.h>

namespace {

TEST(FileExtension, EachRuleAsTheLevelTheFactoryAndThePalettesUseIt) {
    struct Case {
        const char* name;
        const char* extension;
        bool afterDot, anyCase, lastLetters;
    };
    const Case cases[] = {
        {"textures/lava.png", "png", true, true, true},
        {"a.b.png", "png", true, true, true},
        {".png", "png", true, true, true},
        {"textures/A.PNG", "png", false, true, false},
        {"palette.GpL", "gpl", false, true, false},
        // The factory takes any name ending in the letters, dot or none.
        {"texturespng", "png", false, false, true},
        {"png", "png", false, false, true},
        {"lava.pngx", "png", false, false, false},
        {"lava.txt", "png", false, false, false},
        {"ng", "png", false, false, false},
        {"", "png", false, false, false},
        // Bytes beyond ASCII have no case.
        {"a.p\xC3\x91g", "p\xC3\xB1g", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hasExtension(c.name, c.extension), c.afterDot);
        EXPECT_EQ(hasExtension(c.name, c.extension, ExtensionMatch::AfterDot), c.afterDot);
        EXPECT_EQ(hasExtension(c.name, c.extension, ExtensionMatch::AnyCase), c.anyCase);
        EXPECT_EQ(hasExtension(c.name, c.extension, ExtensionMatch::LastLetters), c.lastLetters);
    }
}

} // namespace
