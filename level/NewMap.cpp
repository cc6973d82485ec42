#include "level/NewMap.h"

#include "level/MapImageWriter.h"

#include <cstdlib>

namespace {

// A side in decimal digits only, at most a few past the largest side so that it never
// overflows.
std::optional<int> parseSide(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return int(std::strtol(text.c_str(), nullptr, 10));
}

} // namespace

std::optional<MapSize> parseMapSize(const std::string& text) {
    const size_t cross = text.find('x');
    if (cross == std::string::npos)
        return std::nullopt;
    const std::optional<int> width = parseSide(text.substr(0, cross));
    const std::optional<int> height = parseSide(text.substr(cross + 1));
    if (!width || !height)
        return std::nullopt;
    return MapSize{*width, *height};
}

bool createNewMap(const std::string& path, MapSize size, DiagnosticSink& sink,
                  std::string& problem) {
    const std::string named = std::to_string(size.width) + "x" + std::to_string(size.height);
    if (size.width <= 0 || size.height <= 0) {
        problem = named + ": a map needs at least one pixel a side";
        return false;
    }
    if (size.width > MapImage::maxSide || size.height > MapImage::maxSide) {
        problem = named + ": more than " + std::to_string(MapImage::maxSide) + " pixels a side";
        return false;
    }
    MapImage image;
    image.width = size.width;
    image.height = size.height;
    image.pixels.assign(size_t(size.width) * size_t(size.height), 0);
    FileReplacement::Rules rules;
    rules.newOnly = true;
    return saveMapImage(path, image, rules, sink, problem);
}
