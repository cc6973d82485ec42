// The map view's edit mode on the map golden level: the brush picked with a right click, a
// stroke, a fill, undo and redo, saving, the question before quitting with unsaved edits, and
// a save refused after the map changed on disk.

#include "pngwriter/PngWriter.h"
#include "pngwriter/RawPng.h"
#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerMapLevel.h"
#include "tests/app/ViewerScreen.h"

#include <SDL_image.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace {

constexpr uint32_t walkIntoMarker = 0x123456, walkBehindMarker = 0x55AAAA;

// The map's caption while editing: "EDIT: levels/painted.png", and " *" after it with unsaved
// edits.
const Sight editing = {"the caption EDIT: levels/painted.png",
                       [](const Screenshot& shot) { return captionWidth(shot) == labelWidth(24); }};
const Sight editingUnsaved = {"the caption EDIT: levels/painted.png *", [](const Screenshot& shot) {
                                  return captionWidth(shot) == labelWidth(26);
                              }};
// The status lines this file waits for, by their length.
constexpr int noBrushLine = 35;    // right click a cell or a row to pick
constexpr int brickBrushLine = 26; // #10ABCD textures/brick.png
constexpr int savedLine = 5;       // saved

// The centre of a cell at 16 pixels a cell.
int centreX(int column) {
    return cellX(column) + 8;
}
int centreY(int row) {
    return cellY(row) + 8;
}

// The map file's pixel at (x, y), 0xRRGGBB, read with the image library; -1 when it cannot be.
int64_t savedPixel(const std::string& path, int x, int y) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (!image)
        return -1;
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, 0xFF0000,
                                             0xFF00, 0xFF, 0xFF000000u);
    SDL_SetAlpha(image, 0, 255);
    SDL_BlitSurface(image, nullptr, rgba, nullptr);
    SDL_LockSurface(rgba);
    const uint32_t pixel =
        static_cast<const uint32_t*>(rgba->pixels)[size_t(y) * size_t(rgba->pitch / 4) + size_t(x)];
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
    return int64_t(pixel & 0xFFFFFF);
}

std::string bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

uint64_t inodeOf(const std::string& path) {
    struct stat status = {};
    return stat(path.c_str(), &status) == 0 ? uint64_t(status.st_ino) : 0;
}

// Escape with unsaved edits: the question, then Escape again quits.
void quitUnsaved(ViewerRun& viewer) {
    viewer.press({"Escape"});
    viewer.waitFor(statusOf(28)); // unsaved: ^S saves, Esc quits
    EXPECT_EQ(viewer.quit(), 0);
}

// Turns edit mode on, then picks the brick from cell 0,0 for the brush.
ViewerRun& editWithBrick(ViewerRun& viewer) {
    viewer.press({"e"});
    viewer.waitFor(both(editing, statusOf(noBrushLine)));
    EXPECT_TRUE(viewer.driver().clickWith(viewer.window(), centreX(0), centreY(0), 3));
    viewer.waitFor(statusOf(brickBrushLine));
    return viewer;
}

TEST_F(ViewerEdit, ARightClickPicksTheBrushAStrokePaintsAndCtrlSSavesTheFileAnew) {
    ViewerRun& viewer = editWithBrick(startOnMap());
    const std::string map = level.path() + "/levels/painted.png";
    const uint64_t inode = inodeOf(map);
    // The empty cell 1,1 painted with the brick: its art shows, and the caption says unsaved.
    ASSERT_TRUE(viewer.driver().click(viewer.window(), centreX(1), centreY(1)));
    Screenshot shot =
        viewer.waitFor(both(pixelIs(centreX(1), centreY(1), brickArt), editingUnsaved));
    // The grid between cells, drawn over the cells' first pixels, leaves their centres.
    EXPECT_EQ(shot.at(centreX(0), centreY(0)), brickArt);
    EXPECT_NE(shot.at(cellX(1), centreY(0)), shot.at(cellX(1) + 1, centreY(0)));

    viewer.press({"ctrl+s"});
    shot = viewer.waitFor(both(statusOf(savedLine), editing));
    EXPECT_EQ(shot.at(centreX(1), centreY(1)), brickArt); // the view and the edit stay
    EXPECT_EQ(savedPixel(map, 1, 1), brickMarker);
    EXPECT_EQ(savedPixel(map, 0, 0), brickMarker);
    EXPECT_EQ(savedPixel(map, 3, 1), walkIntoMarker);
    EXPECT_NE(inodeOf(map), inode); // replaced by a rename, never written in place
    // Saved, the map quits at once; the golden map's colour management is said once.
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "levels/painted.png: colour-management chunks dropped (gAMA, "
                                      "cHRM, sRGB): markers are raw sample values\n");
}

TEST_F(ViewerEdit, CtrlClickFillsCtrlZUndoesAndCtrlYRedoesWithoutLeavingTheMap) {
    ViewerRun& viewer = startOnMap();
    const std::string before = bytesOf(level.path() + "/levels/painted.png");
    viewer.press({"e"});
    viewer.waitFor(editing);
    ASSERT_TRUE(viewer.driver().clickWith(viewer.window(), centreX(3), centreY(1), 3));
    viewer.waitFor(statusOf(17)); // #123456 walk into
    ASSERT_TRUE(viewer.driver().clickWith(viewer.window(), centreX(1), centreY(1), 1, {"ctrl"}));
    viewer.waitFor(both(pixelIs(centreX(1), centreY(1), walkIntoMarker), editingUnsaved));
    viewer.press({"ctrl+z"});
    viewer.waitFor(both(pixelIs(centreX(1), centreY(1), white), editing));
    viewer.press({"ctrl+y"});
    Screenshot shot =
        viewer.waitFor(both(pixelIs(centreX(1), centreY(1), walkIntoMarker), editingUnsaved));
    EXPECT_EQ(shot.at(centreX(0), centreY(0)), brickArt); // still the map, not the collision page
    viewer.press({"ctrl+z"});
    viewer.waitFor(pixelIs(centreX(1), centreY(1), white));
    viewer.press({"ctrl+shift+z"});
    shot = viewer.waitFor(pixelIs(centreX(1), centreY(1), walkIntoMarker));
    EXPECT_EQ(captionWidth(shot), labelWidth(26));

    // Escape with unsaved edits asks; another key cancels, the map as it was.
    viewer.press({"Escape"});
    viewer.waitFor(statusOf(28)); // unsaved: ^S saves, Esc quits
    viewer.press({"a"});
    shot = viewer.waitFor(statusOf(17));
    EXPECT_EQ(shot.at(centreX(1), centreY(1)), walkIntoMarker);
    EXPECT_TRUE(viewer.process().running());
    // The close button asks the same; a second close quits, unsaved.
    ASSERT_TRUE(viewer.driver().closeWindow(viewer.window()));
    viewer.waitFor(statusOf(28));
    EXPECT_TRUE(viewer.process().running());
    ASSERT_TRUE(viewer.driver().closeWindow(viewer.window()));
    EXPECT_EQ(viewer.process().wait(30), 0);
    EXPECT_EQ(bytesOf(level.path() + "/levels/painted.png"), before);
}

TEST_F(ViewerEdit, AMapChangedOnDiskKeepsItsEditsAndIsSavedOverOnlyAtTheSecondCtrlS) {
    ViewerRun& viewer = editWithBrick(startOnMap());
    const std::string map = level.path() + "/levels/painted.png";
    ASSERT_TRUE(viewer.driver().click(viewer.window(), centreX(1), centreY(1)));
    viewer.waitFor(both(pixelIs(centreX(1), centreY(1), brickArt), editingUnsaved));
    // Another program saves the map: the edits stay, and the line says so.
    const std::vector<uint32_t> outside(8, 0xFF000000u | walkIntoMarker);
    ASSERT_TRUE(writePng(map + ".part", 4, 2, outside));
    ASSERT_EQ(std::rename((map + ".part").c_str(), map.c_str()), 0);
    viewer.waitFor(statusOf(15)); // changed on disk
    Screenshot shot = viewer.screenshot();
    EXPECT_EQ(shot.at(centreX(1), centreY(1)), brickArt);
    EXPECT_EQ(shot.at(centreX(0), centreY(0)), brickArt);

    viewer.press({"ctrl+s"});
    viewer.waitFor(statusOf(39)); // changed on disk: ^S again saves over it
    EXPECT_EQ(savedPixel(map, 0, 0), walkIntoMarker);
    viewer.press({"ctrl+s"});
    viewer.waitFor(both(statusOf(savedLine), editing));
    EXPECT_EQ(savedPixel(map, 0, 0), brickMarker);
    EXPECT_EQ(savedPixel(map, 1, 1), brickMarker);
    EXPECT_EQ(viewer.quit(), 0);
}

TEST_F(ViewerEdit, ShiftDragFillsARectangleShiftClickALineAndTheEmptyBrushOfSide2Clears) {
    ViewerRun& viewer = editWithBrick(startOnMap());
    WindowDriver& driver = viewer.driver();
    // The colours as painted: each cell its colour, the empty ones the white background.
    viewer.press({"p"});
    viewer.waitFor(pixelIs(centreX(1), centreY(0), 0xAA2200));
    ASSERT_TRUE(driver.dragWith(viewer.window(), centreX(1), centreY(0), centreX(2), centreY(0),
                                {"shift"}));
    Screenshot shot = viewer.waitFor(pixelIs(centreX(2), centreY(0), brickMarker));
    EXPECT_EQ(shot.at(centreX(1), centreY(0)), brickMarker);
    EXPECT_EQ(shot.at(centreX(3), centreY(0)), walkBehindMarker);
    EXPECT_EQ(shot.at(centreX(1), centreY(1)), white);

    // A click paints cell 0,1; Shift and a click at 2,1 paints the line between.
    ASSERT_TRUE(driver.click(viewer.window(), centreX(0), centreY(1)));
    viewer.waitFor(pixelIs(centreX(0), centreY(1), brickMarker));
    ASSERT_TRUE(driver.clickWith(viewer.window(), centreX(2), centreY(1), 1, {"shift"}));
    shot = viewer.waitFor(pixelIs(centreX(1), centreY(1), brickMarker));
    EXPECT_EQ(shot.at(centreX(3), centreY(1)), walkIntoMarker);

    // The empty brush of side 2 at 2,0 clears 2,0 to 3,1.
    viewer.press({"x", "bracketright"});
    viewer.waitFor(statusOf(13)); // #000000 empty
    ASSERT_TRUE(driver.click(viewer.window(), centreX(2), centreY(0)));
    shot = viewer.waitFor(pixelIs(centreX(3), centreY(1), white));
    for (const auto& [column, row] : {std::pair{2, 0}, {3, 0}, {2, 1}})
        EXPECT_EQ(shot.at(centreX(column), centreY(row)), white) << column << "," << row;
    EXPECT_EQ(shot.at(centreX(1), centreY(1)), brickMarker);
    viewer.press({"ctrl+z"});
    viewer.waitFor(pixelIs(centreX(3), centreY(1), walkIntoMarker));
    quitUnsaved(viewer);
}

TEST_F(ViewerEdit, NSnapsTheStraysAndARightClickOnARowPicksItsColourWithADashedFrame) {
    level.copyGolden("map");
    ViewerRun& viewer = start({"--snap", "442"});
    // The brick's row on the textures page: the brush, the row framed with dashes.
    ASSERT_TRUE(viewer.driver().clickWith(viewer.window(), 150, rowY(0, 32) + 16, 3));
    Screenshot shot = viewer.waitFor(pixelIs(2, rowY(0, 32) - 2, black));
    EXPECT_EQ(shot.at(8, rowY(0, 32) - 2), white); // between two dashes
    viewer.press({"m", "e"});
    viewer.waitFor(both(editing, statusOf(brickBrushLine)));
    // The stray 0,1 and a second one painted at 1,1, snapped to their neighbours' markers.
    ASSERT_TRUE(viewer.driver().clickWith(viewer.window(), centreX(0), centreY(1), 3));
    viewer.waitFor(statusOf(17)); // #010203 no marker
    ASSERT_TRUE(viewer.driver().click(viewer.window(), centreX(1), centreY(1)));
    viewer.waitFor(pixelIs(centreX(1) - 4, centreY(1) - 4, magenta));
    viewer.press({"n"});
    shot = viewer.waitFor(statusOf(24)); // snapped 2, 0 strays left
    for (const int column : {0, 1}) {
        EXPECT_NE(shot.at(centreX(column) - 4, centreY(1) - 4), magenta) << column;
        EXPECT_NE(shot.at(centreX(column) + 4, centreY(1) - 4), black) << column;
    }
    viewer.press({"ctrl+z"});
    viewer.waitFor(pixelIs(centreX(0) - 4, centreY(1) - 4, magenta));
    quitUnsaved(viewer);
}

TEST_F(ViewerEdit, AReadOnlyMapIsNotSavedItsEditsKeptAndItsFileAsItWas) {
    ViewerRun& viewer = editWithBrick(startOnMap());
    const std::string map = level.path() + "/levels/painted.png";
    std::filesystem::permissions(map, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::group_read |
                                          std::filesystem::perms::others_read);
    const std::string before = bytesOf(map);
    ASSERT_TRUE(viewer.driver().click(viewer.window(), centreX(1), centreY(1)));
    viewer.waitFor(editingUnsaved);
    viewer.press({"ctrl+s"});
    Screenshot shot = viewer.waitFor(statusOf(20)); // not saved: read-only
    EXPECT_EQ(captionWidth(shot), labelWidth(26));
    EXPECT_EQ(shot.at(centreX(1), centreY(1)), brickArt);
    EXPECT_EQ(bytesOf(map), before);
    // The question's Ctrl+S tries again, and the map still cannot be saved.
    viewer.press({"Escape"});
    viewer.waitFor(statusOf(28));
    viewer.press({"ctrl+s"});
    viewer.waitFor(statusOf(20));
    EXPECT_TRUE(viewer.process().running());
    quitUnsaved(viewer);
    EXPECT_EQ(viewer.standardError(), "Unable to save map levels/painted.png : read-only\n"
                                      "Unable to save map levels/painted.png : read-only\n");
    EXPECT_EQ(bytesOf(map), before);
}

TEST_F(ViewerEdit, AMapThatIsALinkIsSavedThroughItOnceNoFolderStandsInTheTemporaryFilesWay) {
    // levels/painted.png leads to art/painted.png, beside which the new image is written.
    ViewerRun& viewer = editWithBrick(startOnMap([](LevelFolder& level) {
        std::filesystem::create_directory(level.path() + "/art");
        std::filesystem::rename(level.path() + "/levels/painted.png",
                                level.path() + "/art/painted.png");
        std::filesystem::create_symlink("../art/painted.png", level.path() + "/levels/painted.png");
    }));
    const std::string target = level.path() + "/art/painted.png";
    const std::string inTheWay = level.path() + "/art/.painted.png.levelcolors-saving";
    std::filesystem::create_directory(inTheWay);
    const std::string before = bytesOf(target);
    std::ifstream earlier(target, std::ios::binary); // opened before any save
    ASSERT_TRUE(viewer.driver().click(viewer.window(), centreX(1), centreY(1)));
    viewer.waitFor(editingUnsaved);
    viewer.press({"ctrl+s"});
    // "not saved: cannot create levels/../art/..." as far as the line has room.
    Screenshot shot = viewer.waitFor({"a status line past 30 characters", [](const Screenshot& s) {
                                          return statusWidth(s) > labelWidth(30);
                                      }});
    EXPECT_EQ(captionWidth(shot), labelWidth(26));
    EXPECT_EQ(bytesOf(target), before);
    EXPECT_TRUE(std::filesystem::is_directory(inTheWay)) << "no one removes what is in the way";

    std::filesystem::remove(inTheWay);
    viewer.press({"ctrl+s"});
    viewer.waitFor(both(statusOf(savedLine), editing));
    EXPECT_TRUE(std::filesystem::is_symlink(level.path() + "/levels/painted.png"));
    EXPECT_EQ(savedPixel(target, 1, 1), brickMarker);
    EXPECT_FALSE(std::filesystem::exists(inTheWay));
    // The file was replaced, never written in place: what was open still reads the old bytes.
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), before);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(
        viewer.standardError(),
        "Unable to save map levels/painted.png : cannot create "
        "levels/../art/.painted.png.levelcolors-saving: something else of that name is there\n"
        "levels/painted.png: colour-management chunks dropped (gAMA, cHRM, sRGB): markers "
        "are raw sample values\n");
}

// The colour type and bit depth a PNG file's header gives, -1 when it is no PNG.
std::pair<int, int> kindOf(const std::string& path) {
    const std::string bytes = bytesOf(path);
    if (bytes.size() < 26 || bytes.compare(1, 3, "PNG") != 0)
        return {-1, -1};
    return {uint8_t(bytes[25]), uint8_t(bytes[24])};
}

TEST_F(ViewerEdit, ARgbAPaletteAndA16BitMapAreSavedInTheirKindAsTheViewerPaintedThem) {
    // The golden map's cells as opaque colours, cell 1,1 the walk-into colour for the brick.
    const uint32_t cells[8] = {0x10ABCD, 0xAA2200, 0x3366CC, 0x55AAAA,
                               0x010203, 0x123456, 0x10ABCD, 0x123456};
    RawPng rgb{4, 2, 2, 8, {}, {}, {}, {}, false};
    RawPng palette{4, 2, 3, 8, {}, {}, {}, {}, false};
    RawPng deep{4, 2, 6, 16, {}, {}, {}, {}, false};
    for (int i = 0; i < 8; ++i) {
        const uint32_t c = cells[i];
        for (int shift : {16, 8, 0}) {
            rgb.samples.push_back(uint8_t(c >> shift));
            deep.samples.insert(deep.samples.end(), {uint8_t(c >> shift), uint8_t(c >> shift)});
        }
        deep.samples.insert(deep.samples.end(), {0xFF, 0xFF});
        const auto at = std::find(palette.palette.begin(), palette.palette.end(), 0xFF000000u | c);
        palette.samples.push_back(uint8_t(at - palette.palette.begin()));
        if (at == palette.palette.end())
            palette.palette.push_back(0xFF000000u | c);
    }
    const struct {
        const char* name;
        RawPng file;
        std::pair<int, int> saved; // colour type and bit depth
        std::string err;
    } cases[] = {
        {"RGB", rgb, {2, 8}, ""},
        {"palette", palette, {3, 8}, ""},
        {"16-bit RGBA", deep, {6, 8}, "levels/painted.png: a 16-bit map, saved at 8 bits\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ViewerRun& viewer = editWithBrick(startOnMap([&](LevelFolder& level) {
            ASSERT_TRUE(writeRawPng(level.path() + "/levels/painted.png", c.file));
        }));
        const std::string map = level.path() + "/levels/painted.png";
        ASSERT_TRUE(viewer.driver().click(viewer.window(), centreX(1), centreY(1)));
        viewer.waitFor(both(pixelIs(centreX(1), centreY(1), brickArt), editingUnsaved));
        viewer.press({"ctrl+s"});
        viewer.waitFor(both(statusOf(savedLine), editing));
        EXPECT_EQ(kindOf(map), c.saved);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(savedPixel(map, i % 4, i / 4), i == 5 ? brickMarker : cells[i]) << i;
        EXPECT_EQ(viewer.quit(), 0);
        EXPECT_EQ(viewer.standardError(), c.err);
    }
}

TEST_F(ViewerEdit, AFastDragPaintsEveryCellBetweenAndSpaceWithADragMovesTheMapInstead) {
    ViewerRun& viewer = editWithBrick(startOnMap());
    WindowDriver& driver = viewer.driver();
    viewer.press({"p"});
    viewer.waitFor(pixelIs(centreX(1), centreY(0), 0xAA2200));
    // One move from cell 0,1 to 3,1: the cells between are painted too.
    ASSERT_TRUE(driver.drag(viewer.window(), centreX(0), centreY(1), centreX(3), centreY(1)));
    Screenshot shot = viewer.waitFor(pixelIs(centreX(3), centreY(1), brickMarker));
    for (const int column : {0, 1, 2})
        EXPECT_EQ(shot.at(centreX(column), centreY(1)), brickMarker) << column;
    viewer.press({"ctrl+z"});
    viewer.waitFor(pixelIs(centreX(3), centreY(1), walkIntoMarker));

    // Space held: the drag moves the map 32 pixels right and down, and paints nothing.
    ASSERT_TRUE(driver.holdKey(viewer.window(), "space"));
    ASSERT_TRUE(
        driver.drag(viewer.window(), centreX(3), centreY(1), centreX(3) + 32, centreY(1) + 32));
    ASSERT_TRUE(driver.releaseKey(viewer.window(), "space"));
    shot = viewer.waitFor(pixelIs(centreX(3) + 32, centreY(1) + 32, walkIntoMarker));
    EXPECT_EQ(shot.at(centreX(0) + 32, centreY(0) + 32), brickMarker);
    EXPECT_EQ(shot.at(centreX(1) + 32, centreY(1) + 32), white);
    EXPECT_EQ(captionWidth(shot), labelWidth(24)); // nothing painted: no unsaved edits
    EXPECT_EQ(viewer.quit(), 0);
}

} // namespace
