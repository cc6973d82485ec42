#pragma once

#include <cstdint>

// FNV-1a over what the level scan filed, to compare two scans of a level: the colours in scan
// order; for each, its texture's and swatch's name, placement and box (an animation's frames
// and a "showone"'s parts by name, size and start) and its object's path; and the collision
// colours. GL texture names are left out, as two scans hand out different ones. Needs the
// level loaded; never fails.
uint32_t levelDigest();
