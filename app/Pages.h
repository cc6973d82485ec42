#pragma once

#include "app/ViewMode.h"

#include <cstdint>

// Draws one page of the level's colours: its caption, then rows of swatches (at x 0, 8 by 8)
// beside textures (x 10) or labels (x 10, 10 pixels below the row's y). The textures page
// advances each texture it shows by one tick.
void drawPage(ViewMode viewMode, int pageIndex);
void drawTextureRow(uint32_t colour, int32_t y);
void drawObjectRow(uint32_t colour, int32_t y);
// The walk-behind and walk-into rows; a collision colour whose swatch is missing shows only
// its label.
void drawCollisionRows(int32_t y);

// The last page of the textures or objects view that holds a row; 0 when none does.
int lastPageWithRow(ViewMode viewMode);
