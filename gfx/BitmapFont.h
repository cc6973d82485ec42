#pragma once

#include "gfx/GlEntryPoints.h"

#include <cstdint>
#include <string>

// A bitmap font: an image holding the glyphs of the characters 32 to 127 in a 16 by 8 grid of
// cells, row by row from the top, and a block of 96 display lists, one a glyph, each drawing
// its glyph as a textured quad and moving right by its width less one pixel. Neither function
// reports anything.

// Compiles the 96 lists of a font whose quads are `scale` times `glyphWidth` by `glyphHeight`
// pixels, after binding `texture` (the lists bind none, so they draw whatever image is bound
// when they are called). Returns the first list name.
uint32_t compileFont(const GlEntryPoints& gl, double scale, double glyphWidth, double glyphHeight,
                     uint32_t texture);

// Draws `text`, up to its first zero byte, with the font of `texture` and `lists`, the glyph
// tops at (x, y) in a window `viewWidth` by `viewHeight` pixels, in the current colour; bytes
// outside 32 to 127 are drawn as "?". Leaves both matrices as they were, the model-view
// matrix current, the font's texture bound and the depth test on.
void drawFontText(const GlEntryPoints& gl, uint32_t texture, uint32_t lists, int32_t x, int32_t y,
                  std::string text, int viewWidth, int viewHeight);
