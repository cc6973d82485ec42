// The map view's own answer to whether the frame loop may wait, in a real window on a real
// level: only while a cell in the area shows a texture that still animates.

#include "app/MapView.h"
#include "app/ImageSources.h"
#include "app/Level.h"
#include "drive/XServer.h"
#include "gfx/Screen.h"
#include "platform/RegularFile.h"
#include "pngwriter/PngWriter.h"
#include "sprites/SpriteCatalog.h"
#include "tests/app/LevelFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

SDL_Event keyDown(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    return event;
}

TEST(MapViewAnimates, OnlyWhileAnAnimatedCellIsInTheAreaAndDrawnAsArt) {
    XServer server;
    server.makeCurrent();
    LevelFolder level;
    level.copyGolden("map");
    // A long map: brick, and lava only in its last column, beyond the default window's
    // 19 columns at 16 pixels a cell.
    std::vector<uint32_t> pixels(100 * 2, 0xFF10ABCDu);
    pixels[99] = 0xFFAA2200u;
    ASSERT_TRUE(writePng(level.path() + "/levels/long.png", 100, 2, pixels));
    char* const before = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(level.path().c_str()), 0);
    Screen::get();
    FileImages files;
    const CatalogSources sources =
        SpriteCatalog::get().use({&files, openRegularFile, nullptr, false});
    loadLevel();
    MapView map({"levels/long.png"}, shownLevel);
    ViewState state;
    state.viewMode = ViewMode::Map;

    EXPECT_FALSE(map.animates(state)); // brick only
    for (int i = 0; i < 30; ++i)       // a quarter of the area (75 pixels) a press, to the end
        state = map.applyEvent(state, keyDown(SDLK_RIGHT));
    EXPECT_TRUE(map.animates(state)); // lava in view
    state.painted = true;
    EXPECT_FALSE(map.animates(state)); // painted colours hold still
    state.painted = false;
    map.forgetLevel();
    EXPECT_TRUE(map.animates(state)); // looked up again
    state = map.applyEvent(state, keyDown(SDLK_MINUS));
    EXPECT_TRUE(map.animates(state)); // 8 pixels a cell: drawn as cells
    state = map.applyEvent(state, keyDown(SDLK_MINUS));
    EXPECT_FALSE(map.animates(state)); // 4: drawn from the picture, which holds still

    unloadLevel();
    SpriteCatalog::get().use(sources);
    SDL_Quit();
    EXPECT_EQ(chdir(before), 0);
    free(before);
}

} // namespace
