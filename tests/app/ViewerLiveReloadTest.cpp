// The viewer follows the level as it is edited: saved, added and removed files, whole folders,
// F5, and the fonts and decorations.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include "tests/support/Paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// Saves an image the way many editors do: a temporary file renamed over the old one.
void saveByRename(LevelFolder& level, const std::string& relative, uint32_t rgb) {
    level.writeImage(relative + ".part", 8, 8, rgb);
    ASSERT_EQ(std::rename((level.path() + "/" + relative + ".part").c_str(),
                          (level.path() + "/" + relative).c_str()),
              0);
}

// Writes `text` over the start of a file in place, in one write and without truncating it
// first: the viewer can never read the file half written, whenever it looks.
void overwriteStart(LevelFolder& level, const std::string& relative, const std::string& text) {
    std::fstream file(level.path() + "/" + relative,
                      std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(file.write(text.data(), std::streamsize(text.size())).flush()) << relative;
}

// Makes a new file whole at once: written aside, then linked in under its name.
void createWhole(LevelFolder& level, const std::string& relative, uint32_t rgb) {
    level.writeImage(relative + ".part", 4, 4, rgb);
    std::filesystem::create_hard_link(level.path() + "/" + relative + ".part",
                                      level.path() + "/" + relative);
    std::filesystem::remove(level.path() + "/" + relative + ".part");
}

void removeFile(LevelFolder& level, const std::string& relative) {
    ASSERT_EQ(std::remove((level.path() + "/" + relative).c_str()), 0) << relative;
}

TEST_F(ViewerLiveReload, AnEditShowsOnThePageBeingLookedAtWhichShrinksWithTheLevel) {
    addCollisionSwatches();
    for (int i = 0; i < 20; ++i)
        level.addTexture(numbered("t", i), swatchColour(i), imageColour(i));
    ViewerRun& viewer = start();
    viewer.press({"2"});
    viewer.waitFor(pixelIs(3, 29, swatchColour(15)));

    saveByRename(level, "textures/t16_p.png", 0xABCDEF);
    Screenshot shot = viewer.waitFor(pixelIs(3, rowY(1, 32) + 3, 0xABCDEF));
    EXPECT_EQ(shot.at(3, 29), swatchColour(15)); // still page 1
    EXPECT_EQ(shot.at(12, 29), imageColour(15));

    // Page 1 empties: the view falls back to the last page that holds a row. Each texture
    // goes before its swatch, so that no scan meets a texture without one.
    for (int i = 15; i < 20; ++i) {
        removeFile(level, "textures/" + numbered("t", i) + ".png");
        removeFile(level, "textures/" + numbered("t", i) + "_p.png");
    }
    shot = viewer.waitFor(pixelIs(3, 29, swatchColour(0)));
    EXPECT_EQ(shot.at(3, rowY(14, 32) + 3), swatchColour(14));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerLiveReload, TexturesAndWholeFoldersComeAndGo) {
    addCollisionSwatches();
    level.addTexture("t00", swatchColour(0), imageColour(0));
    ViewerRun& viewer = start();

    // Added (swatch first, then the texture renamed into place), then removed.
    saveByRename(level, "textures/t01_p.png", swatchColour(1));
    saveByRename(level, "textures/t01.png", imageColour(1));
    Screenshot shot = viewer.waitFor(pixelIs(12, rowY(1, 32) + 3, imageColour(1)));
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), swatchColour(1));
    removeFile(level, "textures/t01.png");
    removeFile(level, "textures/t01_p.png");
    shot = viewer.waitFor(pixelIs(3, rowY(1, 32) + 3, white));
    EXPECT_EQ(shot.at(3, 29), swatchColour(0));

    // The whole folder deleted, then made again: its new files show, and so do later edits
    // in it, which need a watch on the new folder.
    std::filesystem::remove_all(level.path() + "/textures");
    viewer.waitFor(pixelIs(3, 29, white));
    saveByRename(level, "textures/t00_p.png", 0x224466);
    saveByRename(level, "textures/t00.png", 0x668844);
    shot = viewer.waitFor(pixelIs(12, 29, 0x668844));
    EXPECT_EQ(shot.at(3, 29), 0x224466u);
    saveByRename(level, "textures/t00_p.png", 0x4488CC);
    viewer.waitFor(pixelIs(3, 29, 0x4488CC));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

TEST_F(ViewerLiveReload,
       F5RescansAndABrokenSwatchIsReportedAgainAndEachRescanAfterItSaysHowItWent) {
    addCollisionSwatches();
    level.addTexture("t00", swatchColour(0), imageColour(0));
    level.addTexture("t01", swatchColour(1), imageColour(1));
    // A second name for t00's swatch, in a folder the viewer does not watch: writes through
    // it change the swatch unseen, so that only F5 can show them.
    std::filesystem::create_directories(level.path() + "/elsewhere");
    std::filesystem::create_hard_link(level.path() + "/textures/t00_p.png",
                                      level.path() + "/elsewhere/t00.png");
    ViewerRun& viewer = start();

    level.writeImage("elsewhere/t00.png", 8, 8, 0x13579B);
    viewer.press({"F5"});
    Screenshot shot = viewer.waitFor(pixelIs(3, 29, 0x13579B));
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), swatchColour(1));

    // A broken swatch: its row goes and its line is written; mended, the row comes back.
    level.writeText("textures/t01_p.png.part", "no image");
    std::filesystem::rename(level.path() + "/textures/t01_p.png.part",
                            level.path() + "/textures/t01_p.png");
    viewer.waitFor(pixelIs(3, rowY(1, 32) + 3, white));
    const std::string line =
        "Unable to read swatch textures/t01_p.png of textures/t01.png : Unsupported image format\n";
    EXPECT_EQ(viewer.standardError(), line); // after a clean scan, its own line is the last
    // Scanned again while still broken, then mended: after a scan with problems each rescan
    // ends in a line that says how it went.
    saveByRename(level, "textures/t00_p.png", 0x2468AC);
    viewer.waitFor(pixelIs(3, 29, 0x2468AC));
    const std::string again = line + line + "level scanned again: 1 problem above\n";
    EXPECT_EQ(viewer.standardError(), again);
    saveByRename(level, "textures/t01_p.png", 0x00AA00);
    viewer.waitFor(pixelIs(3, rowY(1, 32) + 3, 0x00AA00));
    const std::string mended = again + "level scanned again: no problems\n";
    EXPECT_EQ(viewer.standardError(), mended);
    // A clean rescan after a clean scan writes nothing.
    saveByRename(level, "textures/t00_p.png", 0x13579B);
    viewer.waitFor(pixelIs(3, 29, 0x13579B));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), mended);
}

TEST_F(ViewerLiveReload, FontsAndDecorationsLoadAgainWhenTheirOwnFilesChangeWithoutARescan) {
    addCollisionSwatches();
    level.addTexture("t00", swatchColour(0), imageColour(0));
    // A swatch that is no image: each scan of the level writes its line once.
    level.writeImage("textures/t01.png", 16, 16, imageColour(1));
    level.writeText("textures/t01_p.png", "no image");
    ViewerRun& viewer = start();

    saveByRename(level, "whiteBG.png", 0x336699);
    saveByRename(level, "scramble.png", 0x00AA00);
    Screenshot shot = viewer.waitFor(both(pixelIs(150, 400, 0x336699), pixelIs(5, 720, 0x00AA00)));
    EXPECT_EQ(shot.at(12, 29), imageColour(0));
    EXPECT_FALSE(captionHasGlyphs(shot));
    // The bundled small font renamed over the block one: the caption shows glyphs.
    const std::string font = level.path() + "/fonts/smallFont.png";
    std::filesystem::copy_file(sourceRoot() + "/demo/fonts/smallFont.png", font + ".part");
    std::filesystem::rename(font + ".part", font);
    viewer.waitFor("a caption of glyphs", captionHasGlyphs);

    // Broken by a write in place: named, and drawn as at start-up without it, a white quad.
    overwriteStart(level, "whiteBG.png", "no image");
    viewer.waitFor(pixelIs(150, 400, white));
    // Deleted and made again.
    removeFile(level, "whiteBG.png");
    createWhole(level, "whiteBG.png", 0x884422);
    shot = viewer.waitFor(pixelIs(150, 400, 0x884422));
    EXPECT_TRUE(captionHasGlyphs(shot));
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(),
              "Unable to read swatch textures/t01_p.png of textures/t01.png : Unsupported image "
              "format\n"
              "Unable to load image whiteBG.png : Unsupported image format\n");
}

} // namespace
