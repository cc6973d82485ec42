#include "level/MapPixel.h"

MapPixel::MapPixel(const std::vector<uint32_t>& markers) {
    // A colour listed twice is the first listing's marker.
    for (size_t i = 0; i < markers.size(); ++i)
        markerIndex_.emplace(markers[i], i);
}

MapPixelClass MapPixel::classify(uint32_t pixel) const {
    if ((pixel >> 24) == 0)
        return {MapPixelKind::Empty, 0};
    const auto found = markerIndex_.find(pixel);
    if (found == markerIndex_.end())
        return {MapPixelKind::Stray, 0};
    return {MapPixelKind::Marker, found->second};
}
