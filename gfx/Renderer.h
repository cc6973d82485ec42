#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "gfx/GlEntryPoints.h"
#include "gfx/TexCoords.h"
#include "gfx/TextureUpload.h"

#include <cstdint>
#include <string>

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

    // The one way to make a texture of an image: see TextureUpload, with this Renderer's
    // entry points and limits.
    uint32_t upload(SDL_Surface* image, TexCoords& window, const UploadOptions& options = {});
    // A surface as it is, into a new texture.
    uint32_t uploadSurface(SDL_Surface* surface, TexCoords& window) {
        return upload(surface, window);
    }
    // Copies the `area` of `image` into `texture`, which upload made of an image of the same
    // size: see TextureUpload::update. False, changing nothing, when only a whole upload will
    // do.
    bool update(SDL_Surface* image, uint32_t texture, int x, int y, int w, int h);
    // The window upload will give an image: see TextureUpload. The line about scaling it down
    // goes to `sink`, else to standard error.
    TexCoords plannedWindow(const SDL_Surface* image, const std::string& name,
                            DiagnosticSink* sink = nullptr);

    // Compiles the 96 display lists of a font whose glyphs lie in a 16 by 8 grid of the
    // texture; returns the first list name. See BitmapFont.
    uint32_t buildFont(double scale, double glyphWidth, double glyphHeight, uint32_t texture);

    // Gives the small font or the big one its image, as its file decoded it (freed here),
    // uploaded into the font's texture; the lists bind no texture, so they draw the new
    // glyphs as they are. `name` names it in the lines about scaling. Returns the font's
    // texture: 0 for a null image, or one that cannot be uploaded, after deleting the old
    // texture, so that its text draws with texture 0 until an image comes again.
    uint32_t setFontImage(bool small, SDL_Surface* image, const std::string& name);

    // Draws text with its glyph tops at (x, y) in the current colour, with the small font or
    // the big one, in the pixel projection of the window. Bytes outside 32 to 127 are drawn as
    // the font's "?" glyph.
    void drawText(int32_t x, int32_t y, std::string text, bool small);

    // Optional entry points outside the table: without them no limit is asked, no upload
    // checked and no part of a texture replaced.
    void(LEVELCOLORS_GLAPI* glGetIntegerv)(GLenum name, GLint* values) = nullptr;
    GLenum(LEVELCOLORS_GLAPI* glGetError)() = nullptr;
    TextureUpload::SubImage glTexSubImage2D = nullptr;

  private:
    Renderer();
};
