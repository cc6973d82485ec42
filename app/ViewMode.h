#pragma once

// Which page the viewer shows. The value 2 is not used.
enum class ViewMode { Textures = 0, Objects = 1, CollisionColors = 3 };
