#pragma once

#include "tools/Canvas.h"

// Pictures of the demo level: 32 by 32 tiles with simple recognisable patterns, the frames of
// the animated tiles and the torch. Each painter seeds its own generator, so a picture does
// not depend on which others were painted before it.
namespace DemoTiles {

constexpr int size = 32;

Canvas grass();
Canvas dirt();
Canvas stone();
Canvas cobble();
Canvas brick();
Canvas planks();
Canvas sand();
Canvas snow();
Canvas ice();
Canvas metal();
Canvas shore();
Canvas gravel();
Canvas mossBrick();
Canvas roof();
Canvas floorTiles();
Canvas grate();
Canvas carpet();
Canvas leaves();
Canvas mud();
Canvas hazard();

constexpr int waterFrames = 4;
constexpr int lavaFrames = 3;
// Frame 0..waterFrames-1: the waves move a quarter of the tile per frame, so the last frame
// leads back into the first.
Canvas water(int frame);
// Frame 0..lavaFrames-1, looping the same way.
Canvas lava(int frame);
// A wall torch on a transparent background, burning or burnt out.
Canvas torch(bool lit);

// The opaque noise picture drawn near the lower left of the viewer.
Canvas scramble(int width, int height);

} // namespace DemoTiles
