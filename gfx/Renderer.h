#pragma once

#include "gfx/GlEntryPoints.h"
#include "gfx/Rect.h"
#include "gfx/TexCoords.h"

#include <cstdint>
#include <string>

struct SDL_Surface;

// The process-wide owner of the GL entry points, the two bitmap fonts and the texture and
// text operations. Created on first use, which must come after the video mode is set (the
// Screen's construction does it), and never destroyed. A font image that cannot be loaded is
// named on standard error and its text then draws with texture 0.
class Renderer : public GlEntryPoints {
  public:
    static Renderer& get();

    uint32_t bigFontLists = 0;
    uint32_t smallFontLists = 0;
    uint32_t bigFontTexture = 0;
    uint32_t smallFontTexture = 0;

    // Uploads a surface as a texture with power-of-two sides, transparent black outside the
    // image, and writes the image's window. The surface's alpha settings are kept. No
    // surface, or no staging surface, yields texture 0 (with no surface, an empty window).
    uint32_t uploadSurface(SDL_Surface* surface, TexCoords& window);

    // Loads an image file and uploads it; `size` receives (0, 0, width, height). A missing
    // or unreadable file yields texture 0, an empty window and an empty size, silently.
    uint32_t loadTexture(const std::string& path, TexCoords& window, Rect& size);
    // The same for an image already decoded (as IMG_Load gives it), which it frees; null
    // yields texture 0, an empty window and an empty size.
    uint32_t uploadImage(SDL_Surface* loaded, TexCoords& window, Rect& size);

    // Compiles the 96 display lists of a font whose glyphs lie in a 16 by 8 grid of the
    // texture; returns the first list name.
    uint32_t buildFont(double scale, double glyphWidth, double glyphHeight, uint32_t texture);

    // Draws text with its glyph tops at (x, y) in the current colour, with the small font or
    // the big one. Bytes outside 32 to 127 are drawn as the font's "?" glyph.
    void drawText(int32_t x, int32_t y, std::string text, bool small);

  private:
    Renderer();
};
