#include "app/ShortenedPath.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortenedPath, KeepsTheEndAndAsMuchOfTheStartAsFits) {
    struct Case {
        const char* path;
        size_t characters;
        const char* shown;
    };
    const Case cases[] = {
        // Fits: as it is.
        {"textures/lava.txt", 17, "textures/lava.txt"},
        {"textures/lava.txt", 40, "textures/lava.txt"},
        // The file name whole, the start cut.
        {"textures/gfx-menu-anims-langame_0012.png", 38, "tex.../gfx-menu-anims-langame_0012.png"},
        {"cutscenes/multiplayer/intro_02.txt", 20, "cuts.../intro_02.txt"},
        {"cutscenes/multiplayer/intro_02.txt", 17, "c.../intro_02.txt"},
        // A file name too long by itself keeps its own end.
        {"textures/gfx-menu-anims-langame_0012.png", 31, "...-menu-anims-langame_0012.png"},
        {"textures/gfx-menu-anims-langame_0012.png", 20, "...-langame_0012.png"},
        {"a_very_long_file_name_without_folder_01.png", 12, "...er_01.png"},
        // Almost no room.
        {"textures/lava.txt", 4, "...t"},
        {"textures/lava.txt", 3, "txt"},
        {"textures/lava.txt", 0, ""},
    };
    for (const Case& c : cases) {
        const std::string shown = shortenPath(c.path, c.characters);
        EXPECT_EQ(shown, c.shown) << c.path << " in " << c.characters;
        EXPECT_LE(shown.size(), c.characters) << c.path;
    }
}

} // namespace
