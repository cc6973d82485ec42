#pragma once

#include "level/MapImage.h"

// The kind a map is saved as: the kind it was read as where its colours allow, else the
// nearest that holds them. RGBA stays RGBA. RGB stays RGB while no pixel is see-through
// (else RGBA). A palette keeps its entries in place, appends new colours (after that, takes
// the slots of unused entries) and keeps transparency in its tRNS chunk while the colours
// fit 256 entries; else RGB or RGBA. Grey stays grey while every pixel is an opaque grey;
// grey with alpha while every colour is grey; else RGB or RGBA. Bit depths under 8 are kept
// while the colours fit them; 16 becomes 8. Text chunks are kept, colour management dropped
// (none listed). Never fails.
MapImage::Kind savedKind(const MapImage& image);
