#pragma once

#include "tests/app/ViewerRun.h"

#include <cstdint>

// The viewer's window read with the test fonts, whose glyphs are full 8 by 16 blocks 7 pixels
// apart: every label is a black bar, measured by its width.

constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t black = 0x000000;

// The width of a label of n characters: 7n + 1 pixels.
int labelWidth(int characters);
// The length of the black run that starts at (x, y).
int barWidth(const Screenshot& shot, int x, int y);
// The caption's bar: captions sit at y 13, so their glyphs cover rows 0 to 14.
int captionWidth(const Screenshot& shot);
// The top of row `row` of a page whose rows are `spacing` apart (32 textures, 13 objects).
int rowY(int row, int spacing);
// Whether the label of n characters ending at the window's right edge, on the caption line,
// is there: the info overlay's page number.
bool pageNumberShown(const Screenshot& shot, int characters);
// The width of the bottom line `line` above the overlay, at the default size: 0 the find
// line (glyphs from y 704), 1 and 2 the hover lines above it.
int bottomLineWidth(const Screenshot& shot, int line);
// The map view's status line: its glyphs cover rows 12 to 27, below the caption's.
int statusWidth(const Screenshot& shot);
// Drawn with the bundled font, the textures caption is glyphs, ink beside background in its
// box; the test fonts, or no font at all, make it one black bar.
bool captionHasGlyphs(const Screenshot& shot);

// What the tests wait for.
// The colour `rgb` (0xRRGGBB) at (x, y).
Sight pixelIs(int x, int y, uint32_t rgb);
// A caption of n characters: 9 "TEXTURES:", 8 "OBJECTS:", 17 "COLLISION COLORS:".
Sight captionOf(int characters);
// The map view's status line n characters long.
Sight statusOf(int characters);
// Both `first` and `second` in one screenshot.
Sight both(const Sight& first, const Sight& second);
// Bottom line `line` (see bottomLineWidth) n characters long, or gone for 0.
Sight bottomLineOf(int line, int characters);
// The info overlay's page number of n characters, or, with `shown` false, none of that length.
Sight pageNumberOf(int characters, bool shown = true);
