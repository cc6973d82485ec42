#pragma once

#include "tools/Canvas.h"
#include "tools/PsfFont.h"

#include <cstdint>
#include <vector>

// The viewer's font image: 16 columns by 8 rows of cells of the font's glyph size; the glyph
// for character code 32 + i sits in column i mod 16, row i div 16 (codes 32..127, rows 6
// and 7 stay empty). Glyph pixels are opaque white on a fully transparent background, so
// that the drawing colour tints them.
namespace GlyphSheet {

constexpr int columns = 16;
constexpr int rows = 8;
constexpr uint32_t firstCode = 32;
constexpr uint32_t lastCode = 127;

// Draws the sheet; codes the font has no glyph for are appended to missing and their cells
// left transparent.
Canvas draw(const PsfFont& font, std::vector<uint32_t>& missing);

} // namespace GlyphSheet
