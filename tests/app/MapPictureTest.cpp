// The map picture at small zooms, in a real window on a real level: a picture brought up to
// date after edits shows exactly what a picture made afresh of the edited map shows.

#include "app/MapPicture.h"
#include "app/ImageSources.h"
#include "app/Level.h"
#include "drive/XServer.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/RegularFile.h"
#include "sprites/SpriteCatalog.h"
#include "tests/app/LevelFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr uint32_t brick = 0xFF10ABCDu; // a texture of the golden map level
constexpr uint32_t lava = 0xFFAA2200u;  // an animated one
constexpr uint32_t stray = 0xFF123456u; // no file's colour
constexpr GLenum colourBits = 0x4000;   // GL_COLOR_BUFFER_BIT
constexpr MapNavigation::Size area = {150, 120};

using ReadPixels = void(LEVELCOLORS_GLAPI*)(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format,
                                            GLenum type, void* pixels);

// The area as the picture draws it over a cleared window, read back from GL.
std::vector<uint8_t> drawn(MapPicture& picture, const MapList::Map& map, MapLook look,
                           CellArtTable& art) {
    Renderer& gl = Renderer::get();
    gl.glClearColor(0.25f, 0.5f, 0.75f, 1);
    gl.glClear(colourBits);
    picture.draw(map, look, art, area, 0);
    const auto readPixels = reinterpret_cast<ReadPixels>(SDL_GL_GetProcAddress("glReadPixels"));
    std::vector<uint8_t> pixels(size_t(area.width) * size_t(area.height) * 4);
    // GL counts rows from the bottom: the area's rows are the window's top ones.
    readPixels(0, Screen::get().view.h - area.height, area.width, area.height, GL_RGBA,
               GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// A 64 by 48 map of brick with a band of lava and a stray, its corner at a fraction of a pixel
// so that cells at the area's edges show only in part.
MapList::Map mapAt(int zoom) {
    MapList::Map map;
    map.path = "levels/painted.png";
    map.read = true;
    map.width = 64;
    map.height = 48;
    std::vector<uint32_t> pixels(64 * 48, brick);
    for (int column = 0; column < 64; ++column)
        pixels[20 * 64 + column] = lava;
    pixels[5 * 64 + 7] = stray;
    map.editor = MapEditor(MapCanvas(64, 48, std::move(pixels)));
    map.view.zoomAbout(zoom, {0, 0}, {64, 48}, area);
    map.view.panBy(-9.5, -7.25, {64, 48}, area);
    return map;
}

// Draws `map` at `zoom` in every look, edits it with `edit` and compares the picture brought up
// to date with a fresh one, pixel for pixel; the edit must show.
template <typename Edit>
void expectEditDrawnAsAfresh(int zoom, Edit edit, CellArtTable& art) {
    for (MapLook look : {MapLook::Art, MapLook::Painted, MapLook::PaintedOverArt}) {
        SCOPED_TRACE("zoom " + std::to_string(zoom) + ", look " + std::to_string(int(look)));
        MapList::Map map = mapAt(zoom);
        MapPicture kept;
        const std::vector<uint8_t> before = drawn(kept, map, look, art);
        edit(map.editor);
        const std::vector<uint8_t> updated = drawn(kept, map, look, art);
        MapPicture fresh;
        EXPECT_EQ(updated, drawn(fresh, map, look, art));
        EXPECT_NE(updated, before);
        // And back: undone, the kept picture is the first one again.
        ASSERT_TRUE(map.editor.undo());
        EXPECT_EQ(drawn(kept, map, look, art), before);
    }
}

class MapPictureEdits : public testing::Test {
  protected:
    void SetUp() override {
        server_.makeCurrent();
        level_.copyGolden("map");
        before_ = getcwd(nullptr, 0);
        ASSERT_EQ(chdir(level_.path().c_str()), 0);
        Screen::get();
        sources_ = SpriteCatalog::get().use({&files_, openRegularFile, nullptr, false});
        loadLevel();
    }
    void TearDown() override {
        unloadLevel();
        SpriteCatalog::get().use(sources_);
        SDL_Quit();
        EXPECT_EQ(chdir(before_), 0);
        free(before_);
    }

    XServer server_;
    LevelFolder level_;
    char* before_ = nullptr;
    FileImages files_;
    CatalogSources sources_;
};

TEST_F(MapPictureEdits, AStrokeAtX1AndX4IsDrawnAsAFreshPictureDrawsIt) {
    CellArtTable art(shownLevel);
    const auto stroke = [](MapEditor& editor) {
        // Across the lava, over the stray and off the area's left and top edges.
        editor.beginStroke({3, 22}, stray, 2);
        editor.extendStroke({9, 18});
        editor.extendStroke({7, 5});
        editor.extendStroke({0, 0});
        editor.endStroke();
    };
    expectEditDrawnAsAfresh(0, stroke, art);
    expectEditDrawnAsAfresh(2, stroke, art);
}

TEST_F(MapPictureEdits, CellsFarApartAndAtTheFarEdgesAreDrawnAsAFreshPictureDrawsThem) {
    CellArtTable art(shownLevel);
    // The last cells the area shows at x1 and x4 in part, and ones out of it, in one step.
    const auto rectangle = [](MapEditor& editor) { editor.rectangle({1, 1}, {45, 33}, lava); };
    expectEditDrawnAsAfresh(0, rectangle, art);
    expectEditDrawnAsAfresh(2, rectangle, art);
    // At 1/4 and 1/8 a window pixel shows one cell of several: a fill reaches those shown.
    const auto fill = [](MapEditor& editor) { editor.fill({0, 0}, lava); };
    expectEditDrawnAsAfresh(-2, fill, art);
    expectEditDrawnAsAfresh(-3, fill, art);
}

} // namespace
