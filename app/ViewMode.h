#pragma once

// Which page the viewer shows. The value 2 is not used; Map is the painted map, not a page.
enum class ViewMode { Textures = 0, Objects = 1, CollisionColors = 3, Map = 4 };
