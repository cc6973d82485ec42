#pragma once

#include "app/KeyTable.h"
#include "app/LevelContents.h"

#include "gfx/Rect.h"

#include <cstdint>

class Sprite;

// Draws one page of `level`'s colours: its caption, then rows of swatches (at x 0, 8 by 8)
// beside textures (x 10) or labels (x 10, 10 pixels below the row's y). The textures page
// advances each texture it shows by one tick. With the info overlay the page also names each
// row's file and colour and its own number, and frames each swatch in dark grey (x 0 to 9,
// the swatch one pixel in); without it, the page is drawn as it always was. A path too long
// for the room it has is shortened in its middle, keeping its end; a colour is never cut.
// The textures and objects pages list the rows that pass the view's filter; just above the
// overlay they show the find line (lowest) while it is open or a filter is kept, and above it
// two lines on the row under the mouse pointer. While the level loads (`state.loading`), the
// caption line says how far at its right ("listing files", then "loading 1234 of 8000 files"),
// where the info overlay's page number goes once it is loaded. The first row of the colour
// `state.marked` on the page is framed in black, 2 pixels wide, around its band (the row's
// height, the window's width): just above and below it, and on the window's edges at its
// sides, under what the rows draw; while `state.markHovered` the hover lines name it instead of
// the row under the pointer.
void drawPage(const ViewState& state, const LevelContents& level);
// A texture row. The texture's box reaches from x 10 to the window's right edge (to x 74
// with the info overlay, whose path and colour go right of it) and is one row (32) tall; a
// texture larger than the box is drawn scaled down to fit it, aspect kept, and one that fits
// at its own size.
void drawTextureRow(const LevelContents& level, uint32_t colour, int32_t y, bool infoShown);
// An object row; the info overlay adds the colour after the path.
void drawObjectRow(const LevelContents& level, uint32_t colour, int32_t y, bool infoShown);
// The walk-behind and walk-into rows; a collision colour whose swatch is missing shows only
// its label. The info overlay adds each colour after its label ("none" when missing).
void drawCollisionRows(const LevelContents& level, int32_t y, bool infoShown);

// Whether the page shown would change if it were drawn again with nothing happening: one of
// its textures still animates.
bool pageAnimates(const ViewState& state, const LevelContents& level);

// The size a sprite is drawn at: its placement, or the box of a sprite that draws through a
// part of its own ("showone"). Never fails.
Rect drawnSize(Sprite* sprite);
// Draws a sprite at (x, y), scaled about that point by `scaleX` across and `scaleY` down.
// Never fails.
void drawScaled(Sprite* sprite, int32_t x, int32_t y, double scaleX, double scaleY);

// The state that shows the row of `colour` on the textures view (when a texture carries it)
// or else the objects view, at the page that holds its first row, as the page keys would; a
// filter of that view that hides the row is cleared. A colour neither view lists leaves the
// state as it was.
ViewState showRowOf(ViewState state, uint32_t colour, const LevelContents& level);

// The colour of the row of the page shown at window row `y`, for the brush; none off the
// rows. Never fails.
std::optional<uint32_t> rowColourAt(const ViewState& state, const LevelContents& level, int y);

// The pages of the textures and objects views that hold a row, counted from `level` (see
// PageList), over the rows that pass each view's filter.
PageCounts countPages(const ViewState& state, const LevelContents& level);
