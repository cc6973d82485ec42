// The check reads a level as the viewer does: the real viewer's scan runs in this process on
// a private X server, and levelcolors-check runs on the same folder; their colours, order and
// paths must agree, faults included.

#include "app/Level.h"
#include "drive/XServer.h"
#include "gfx/Screen.h"
#include "pngwriter/PngWriter.h"
#include "sprites/Sprite.h"
#include "tests/app/LevelFolder.h"
#include "tests/check/CheckRun.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

struct Scanned {
    std::vector<uint32_t> colours;           // texture and object colours, in scan order
    std::map<uint32_t, std::string> texture; // the last texture path of each colour
    std::map<uint32_t, std::string> object;  // the last object path
    std::map<uint32_t, std::string> swatch;  // the last swatch path of either
    std::optional<uint32_t> walkBehind;
    std::optional<uint32_t> walkInto;
};

Scanned scanOfCheck(const std::string& csv) {
    Scanned scan;
    for (const auto& record : csvRecords(csv)) {
        if (record.at(0) != "legend" || record.at(2).empty())
            continue;
        const uint32_t colour = recordColour(record);
        if (record.at(1) == "walk behind") {
            scan.walkBehind = colour;
        } else if (record.at(1) == "walk into") {
            scan.walkInto = colour;
        } else {
            scan.colours.push_back(colour);
            (record.at(1) == "texture" ? scan.texture : scan.object)[colour] = record.at(4);
            scan.swatch[colour] = record.at(5);
        }
    }
    return scan;
}

Scanned scanOfViewer() {
    Scanned scan;
    scan.colours = levelColors;
    for (const auto& [colour, sprite] : textureByColor)
        scan.texture[colour] = sprite ? sprite->name : "(no sprite)";
    for (const auto& [colour, path] : objectNameByColor)
        scan.object[colour] = path;
    for (const auto& [colour, sprite] : swatchByColor) {
        // A collision colour that no file carries gets its own swatch; the check lists that
        // swatch in the collision entry instead.
        if (std::find(levelColors.begin(), levelColors.end(), colour) != levelColors.end())
            scan.swatch[colour] = sprite ? sprite->name : "(no sprite)";
    }
    scan.walkBehind = walkBehindColor;
    scan.walkInto = walkIntoColor;
    return scan;
}

void writeMixedSwatch(LevelFolder& level, const std::string& relative) {
    std::vector<uint32_t> pixels(64, 0xFF446688);
    pixels[63] = 0xFF000000;
    ASSERT_TRUE(writePng(level.path() + "/" + relative, 8, 8, pixels));
}

TEST(ViewerScan, TheCheckReadsTheViewersColoursOrderAndPaths) {
    LevelFolder level;
    level.addTexture("brick", 0xAA0000, 0x884422);
    level.addTexture("lava", 0xAA2200, 0x333333); // lava.png and lava.txt share the swatch
    level.writeText("textures/lava.txt", "(showone (size 16 16) (sprite (filename "
                                         "textures/lava.png) (origin 0 0)))\n");
    level.addTexture("rock", 0x555555, 0x777777);
    level.addTexture("stone wall", 0x101010, 0x202020);
    level.addTexture("a.b", 0x0000FE, 0x0000FE);
    level.writeImage("textures/nosw.png", 16, 16, 0x999999); // no swatch: the viewer skips it
    level.writeImage("textures/old_p.png", 8, 8, 0xCCCCCC);  // an orphan swatch
    writeMixedSwatch(level, "textures/mixed_p.png");
    level.writeImage("textures/mixed.png", 16, 16, 0x446688);
    level.writeImage("textures/glass.png", 16, 16, 0xAABBCC);
    ASSERT_TRUE(writeFlatPng(level.path() + "/textures/glass_p.png", 8, 8, 0x80AABBCC));
    level.writeText("textures/torn_p.png", "\x89PNG\r\n\x1a\nno image");
    level.writeImage("textures/torn.png", 16, 16, 0x123123);
    level.addObject("characters", "hero", 0xFF00FF);
    level.addObject("characters", "golem", 0x555555); // shares rock's colour
    level.addObject("events", "exit", 0x00FF00);
    level.addObject("cutscenes", "intro", 0xAA00AA);
    level.addObject("entities", "crate", 0xAA5555);
    level.addObject("entities", "wall", 0x3366CC);
    level.writeText("entities/ghost.txt", "(object)\n"); // no swatch
    level.writeImage("levels/walkbehind_p.png", 8, 8, 0x3366CC);
    level.writeImage("levels/walkinto_p.png", 8, 8, 0x777700);

    const CheckRun check = runCheck({"--format", "csv"}, level.path());
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, "");

    XServer server;
    server.makeCurrent();
    ASSERT_EQ(chdir(level.path().c_str()), 0);
    Screen::get();
    loadLevel();
    const Scanned viewer = scanOfViewer();
    SDL_Quit(); // before the X server goes
    ASSERT_EQ(chdir("/"), 0);

    const Scanned checked = scanOfCheck(check.out);
    EXPECT_EQ(checked.colours, viewer.colours);
    EXPECT_EQ(checked.texture, viewer.texture);
    EXPECT_EQ(checked.object, viewer.object);
    EXPECT_EQ(checked.swatch, viewer.swatch);
    EXPECT_EQ(checked.walkBehind, viewer.walkBehind);
    EXPECT_EQ(checked.walkInto, viewer.walkInto);
    // The faults are in the comparison: a translucent colour, a mixed swatch, shared colours.
    EXPECT_NE(std::find(viewer.colours.begin(), viewer.colours.end(), 0x80AABBCCu),
              viewer.colours.end());
    EXPECT_EQ(viewer.colours.size(),
              14u); // 8 textures and 6 objects: three have no readable swatch
}

} // namespace
