#pragma once

#include "gfx/Rect.h"
#include "gfx/TexCoords.h"

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int32_t screenWidth = 300;
constexpr int32_t screenHeight = 800;

// The process-wide window. Its first use initialises SDL, opens the GL library and the
// window (300 by 800 unless opened at another size), creates the Renderer and sets the fixed 2-D GL
// state: pixel coordinates with the origin top-left, alpha blending, depth test less-or-equal at
// depth 0, 2-D texturing on. Unless SDL_VIDEODRIVER is set, only the desktop's video drivers are
// tried, so that without a display SDL_Init fails at once. A start-up failure prints its line on
// standard output and exits with status 1. Once the window is open, losing the display ends the
// process with one line on standard error and status 1. Never destroyed.
class Screen {
  public:
    static Screen& get();
    // The same, with the window opened at width by height on the first call (at most 32767
    // each), reduced to the display's size when larger (with one line on standard error saying
    // so); later calls return the same Screen and ignore the size. get() alone opens it at 300
    // by 800, whatever the display.
    static Screen& open(int32_t width, int32_t height);

    // The visible rectangle; view coordinates are window coordinates plus view.x, view.y.
    Rect view;

    // Draws the texture's window stretched over rect, in window coordinates, never culled.
    void drawQuad(uint32_t texture, const TexCoords* window, Rect rect);
    // The same in view coordinates; draws nothing, without a GL call, when rect misses view.
    void drawQuadInView(uint32_t texture, const TexCoords* window, Rect rect);
    // Draws text in opaque black with the small font, glyph tops 14 pixels above y; leaves
    // the current colour opaque white.
    void drawLabel(std::string text, int32_t x, int32_t y);
    // An untextured quad in the colour 0xRRGGBB, opaque unless `alpha` says otherwise, over
    // rect, in window coordinates; leaves the current colour opaque white.
    void fillRect(Rect rect, uint32_t rgb, uint8_t alpha = 0xFF);

    // The small font's glyphs advance 7 pixels: a label of n characters is 7n + 1 wide.
    static constexpr int32_t labelAdvance = 7;
    static int32_t labelWidth(size_t characters) { return labelAdvance * int32_t(characters) + 1; }
    // How many characters of a label fit in `width` pixels; 0 for none.
    static size_t labelCharactersIn(int32_t width) {
        return width > 0 ? size_t((width - 1) / labelAdvance) : 0;
    }

  private:
    // The singleton, made on the first call at that size, fitted to the display when `fit`.
    static Screen& instance(int32_t width, int32_t height, bool fit);
    Screen(int32_t width, int32_t height, bool fit);
};
