// Unsaved edits that outlive the viewer: written to the recovery folder when a signal ends it,
// copied there while painting so that a SIGKILL loses little, offered at the next start and
// taken back with `u` as one step of undo, and removed by a save.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerMapLevel.h"
#include "tests/app/ViewerScreen.h"

#include <SDL_image.h>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace {

constexpr uint32_t walkIntoMarker = 0x123456;

// The captions, by their length: "MAP: levels/painted.png", then " *" with unsaved edits,
// and "EDIT: ..." while editing.
const Sight unsaved = captionOf(25);
const Sight saved = captionOf(23);
const Sight editingUnsaved = captionOf(26);
constexpr int offerLine = 31; // recovery from HH:MM: u loads it

int centreX(int column) {
    return cellX(column) + 8;
}
int centreY(int row) {
    return cellY(row) + 8;
}

std::string bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A PNG's pixels as 0xAARRGGBB, read with the image library; none when it cannot be read.
std::vector<uint32_t> pixelsOf(const std::string& path) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (!image)
        return {};
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, 0xFF0000,
                                             0xFF00, 0xFF, 0xFF000000u);
    SDL_SetAlpha(image, 0, 255);
    SDL_BlitSurface(image, nullptr, rgba, nullptr);
    SDL_LockSurface(rgba);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < rgba->h; ++y)
        for (int x = 0; x < rgba->w; ++x)
            pixels.push_back(static_cast<const uint32_t*>(
                rgba->pixels)[size_t(y) * size_t(rgba->pitch / 4) + size_t(x)]);
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
    return pixels;
}

// The map golden level's pixels with the brick painted at cell 1,1, as a 4 by 2 RGBA file
// holds them: the brick at 0,0 and 1,1, the collision colours on the right.
bool paintedPixels(const std::vector<uint32_t>& pixels) {
    return pixels.size() == 8 && pixels[0] == (0xFF000000u | brickMarker) &&
           pixels[5] == (0xFF000000u | brickMarker) && pixels[7] == (0xFF000000u | walkIntoMarker);
}

class ViewerRecovery : public ViewerCase {
  protected:
    std::string folder() const { return state.path() + "/levelcolors/recovery"; }
    // The recovery files, bare names, dot files (a write under way) left out.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(folder(), missing))
            if (entry.path().filename().string()[0] != '.')
                names.push_back(entry.path().filename().string());
        return names;
    }
    // Starts on the map, turns edit mode on, picks the brick and paints cell 1,1 with it.
    ViewerRun& paintBrick() {
        ViewerRun& viewer = startOnMap();
        viewer.press({"e"});
        viewer.waitFor(captionOf(24));
        EXPECT_TRUE(viewer.driver().clickWith(viewer.window(), centreX(0), centreY(0), 3));
        viewer.waitFor(statusOf(26)); // #10ABCD textures/brick.png
        EXPECT_TRUE(viewer.driver().click(viewer.window(), centreX(1), centreY(1)));
        viewer.waitFor(both(pixelIs(centreX(1), centreY(1), brickArt), editingUnsaved));
        return viewer;
    }
    // Starts again on the level, where the map was left by a run that ended unsaved: the map
    // view offers `file`, said on standard error when the maps were read.
    ViewerRun& startOffering(const std::string& file) {
        ViewerRun& viewer = start();
        viewer.press({"m"});
        viewer.waitFor(both(mapView, statusOf(offerLine)));
        struct stat status = {};
        EXPECT_EQ(stat(file.c_str(), &status), 0);
        char when[32];
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::localtime(&status.st_mtime));
        EXPECT_EQ(viewer.standardError(),
                  "Recovery of levels/painted.png from " + std::string(when) + ": " + file + "\n");
        return viewer;
    }
};

TEST_F(ViewerRecovery, ASignalKeepsTheEditsWhichUTakesBackAsOneStepAndASaveRemoves) {
    const std::string map = level.path() + "/levels/painted.png";
    for (const int signal : {SIGINT, SIGHUP, SIGTERM}) {
        SCOPED_TRACE("signal " + std::to_string(signal));
        std::filesystem::remove_all(state.path() + "/levelcolors");
        ViewerRun& viewer = paintBrick();
        const std::string before = bytesOf(map);
        kill(viewer.process().pid(), signal);
        EXPECT_EQ(viewer.process().wait(30), 0);
        const std::vector<std::string> kept = files();
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(kept[0].substr(0, 8), "painted.");
        const std::string file = folder() + "/" + kept[0];
        EXPECT_EQ(viewer.standardError(),
                  "Unsaved edits of levels/painted.png kept in " + file + "\n");
        EXPECT_TRUE(paintedPixels(pixelsOf(file)));
        EXPECT_EQ(bytesOf(map), before); // never into the level
    }

    // The next start offers the last; `u` takes it back, Ctrl+Z undoes that, `u` again.
    const std::string file = folder() + "/" + files().at(0);
    ViewerRun& viewer = startOffering(file);
    viewer.press({"u"});
    viewer.waitFor(both(pixelIs(centreX(1), centreY(1), brickArt), unsaved));
    viewer.press({"ctrl+z"});
    viewer.waitFor(both(pixelIs(centreX(1), centreY(1), white), saved));
    viewer.press({"u"});
    viewer.waitFor(both(pixelIs(centreX(1), centreY(1), brickArt), unsaved));
    // A save writes the map and removes the recovery files.
    viewer.press({"ctrl+s"});
    Screenshot shot = viewer.waitFor(both(statusOf(5), saved)); // saved
    EXPECT_EQ(shot.at(centreX(1), centreY(1)), brickArt);
    EXPECT_TRUE(paintedPixels(pixelsOf(map)));
    EXPECT_TRUE(files().empty());
    EXPECT_EQ(viewer.quit(), 0);
}

TEST_F(ViewerRecovery, ACopyMadeWhilePaintingSurvivesSigkill) {
    ViewerRun& viewer = paintBrick();
    // The run's first change is copied at once: wait for the copy, whole.
    viewer.waitFor("a recovery copy of the painted map", [&](const Screenshot&) {
        const std::vector<std::string> kept = files();
        return kept.size() == 1 && paintedPixels(pixelsOf(folder() + "/" + kept[0]));
    });
    const std::vector<std::string> kept = files();
    ASSERT_EQ(kept.size(), 1u);
    const std::string file = folder() + "/" + kept[0];
    ASSERT_TRUE(paintedPixels(pixelsOf(file)));
    kill(viewer.process().pid(), SIGKILL);
    EXPECT_EQ(viewer.process().wait(30), 128 + SIGKILL);

    ViewerRun& again = startOffering(file);
    again.press({"u"});
    again.waitFor(both(pixelIs(centreX(1), centreY(1), brickArt), unsaved));
    // Quitting without saving, asked and answered, keeps the older run's file.
    again.press({"Escape"});
    again.waitFor(statusOf(28)); // unsaved: ^S saves, Esc quits
    EXPECT_EQ(again.quit(), 0);
    EXPECT_EQ(files(), std::vector<std::string>{file.substr(folder().size() + 1)});
}

TEST_F(ViewerRecovery, AFileOfAnotherSizeIsRefusedOnTheStatusLine) {
    ViewerRun& viewer = paintBrick();
    kill(viewer.process().pid(), SIGTERM);
    ASSERT_EQ(viewer.process().wait(30), 0);
    ASSERT_EQ(files().size(), 1u);
    const std::string file = folder() + "/" + files()[0];
    // The map grows by a column since: the copy no longer fits it.
    level.writeImage("levels/painted.png", 5, 2, walkIntoMarker);
    ViewerRun& again = start();
    again.press({"m"});
    again.waitFor(statusOf(offerLine));
    again.press({"u"});
    Screenshot shot = again.waitFor(statusOf(33)); // not loaded: recovery 4x2, map 5x2
    EXPECT_EQ(captionWidth(shot), labelWidth(23));
    EXPECT_TRUE(again.process().running());
    EXPECT_EQ(again.quit(), 0);
    EXPECT_EQ(files(), std::vector<std::string>{file.substr(folder().size() + 1)});
}

} // namespace
