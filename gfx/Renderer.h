#pragma once

#include "gfx/GlEntryPoints.h"
#include "gfx/Rect.h"
#include "gfx/TexCoords.h"

#include <cstdint>
#include <string>

class DiagnosticSink;
struct SDL_Surface;

// The process-wide owner of the GL entry points, the two bitmap fonts and the texture and
// text operations. Created on first use, which must come after the video mode is set (the
// Screen's construction does it), and never destroyed. It opens no image file: the fonts'
// images come from its caller (setFontImage), and until one comes that font's text draws with
// texture 0.
class Renderer : public GlEntryPoints {
  public:
    static Renderer& get();

    uint32_t bigFontLists = 0;
    uint32_t smallFontLists = 0;
    uint32_t bigFontTexture = 0;
    uint32_t smallFontTexture = 0;

    // The largest texture side the GL library takes, asked once when the Renderer is made.
    int maxTextureSide = 2048;
    // Padded textures above this many texels are scaled down too: memory, not GL, limits them.
    static constexpr long long texelBudget = 64LL << 20;

    // Uploads a surface as a texture with power-of-two sides, transparent black outside the
    // image, and writes the image's window. The surface's alpha settings are kept. No
    // surface, or no staging surface, yields texture 0 (with no surface, an empty window).
    // An image whose texture would exceed maxTextureSide or texelBudget is scaled down to
    // fit, with one line on standard error naming `name`; a texture GL refuses is named too.
    // Given `into`, an existing texture is filled instead of a new one (the name returned).
    uint32_t uploadSurface(SDL_Surface* surface, TexCoords& window, const std::string& name = "",
                           uint32_t into = 0);

    // Uploads an image as its file decoded it, unconverted, which it frees, scaled down as
    // uploadSurface does; `size` receives (0, 0, width, height) of the image and `name` names
    // it in the lines about scaling. Null yields texture 0, an empty window and an empty size,
    // silently. `into` as for uploadSurface.
    uint32_t uploadImage(SDL_Surface* loaded, TexCoords& window, Rect& size,
                         const std::string& name, uint32_t into = 0);

    // uploadImage without freeing `loaded`; with `scalingReported`, the line about scaling it
    // down is not written (plannedWindow wrote it).
    uint32_t uploadDecoded(SDL_Surface* loaded, TexCoords& window, const std::string& name,
                           bool scalingReported, uint32_t into = 0);
    // The window uploadDecoded will give an image, worked out before any upload; the line
    // about scaling it down to fit, when it will be, is reported now (to `sink`, else on
    // standard error). Null: an empty window.
    TexCoords plannedWindow(const SDL_Surface* image, const std::string& name,
                            DiagnosticSink* sink = nullptr);

    // Compiles the 96 display lists of a font whose glyphs lie in a 16 by 8 grid of the
    // texture; returns the first list name.
    uint32_t buildFont(double scale, double glyphWidth, double glyphHeight, uint32_t texture);

    // Gives the small font or the big one its image, decoded as uploadImage takes it (freed
    // here), uploaded into the font's texture; the lists bind no texture, so they draw the new
    // glyphs as they are. `name` names it in the lines about scaling. Returns the font's
    // texture: 0 for a null image, or one that cannot be uploaded, after deleting the old
    // texture, so that its text draws with texture 0 until an image comes again.
    uint32_t setFontImage(bool small, SDL_Surface* image, const std::string& name);

    // Draws text with its glyph tops at (x, y) in the current colour, with the small font or
    // the big one. Bytes outside 32 to 127 are drawn as the font's "?" glyph.
    void drawText(int32_t x, int32_t y, std::string text, bool small);

    // Optional entry points outside the table: without them no limit is asked and no upload
    // checked.
    void(LEVELCOLORS_GLAPI* glGetIntegerv)(GLenum name, GLint* values) = nullptr;
    GLenum(LEVELCOLORS_GLAPI* glGetError)() = nullptr;

  private:
    Renderer();
};
