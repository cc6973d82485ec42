#pragma once

#include "level/MapImage.h"

#include <optional>
#include <string>

// Reads a PNG map into 0xAARRGGBB pixels and the kind of file it was (level/MapImage). Samples
// are taken as they are, as the image library the viewer reads maps with takes them: 16-bit
// samples keep their high byte, a palette or grey map's transparency becomes alpha, and no
// colour-management chunk is applied. None on failure, with `reason` set to one line without
// the path: the system's reason for a file that cannot be opened, "not a regular file", "not
// a PNG image", a side over MapImage::maxSide, or libpng's word on a damaged file.
std::optional<MapImage> readMapImage(const std::string& path, std::string& reason);
