#pragma once

#include "tests/app/ViewerRun.h"

#include <cstdint>

// The map golden level (tests/app/levels/map) as the viewer's map view shows it: its map is
// levels/painted.png, 4 by 2 cells, whose cell at column c, row r starts at (16c, 32 + 16r)
// at 16 pixels a cell.

constexpr uint32_t brickArt = 0xC04020, brickMarker = 0x10ABCD;
constexpr uint32_t magenta = 0xFF00FF;

int cellX(int column, int side = 16);
int cellY(int row, int side = 16);
// Lava plays red and blue frames: either is the animation caught between ticks.
bool lavaShown(uint32_t pixel);
// The map's caption, "MAP: levels/painted.png".
extern const Sight mapShown;
// The map as it first shows: its caption and the brick in cell 0,0 at 16 pixels a cell.
extern const Sight mapView;
// Waits until the lava at (x, y) has played from one of its frames to the other and back:
// frames drawn after whatever came before the call.
Screenshot afterLavaPlays(const ViewerRun& viewer, int x, int y);
