#include "level/MapPixel.h"

#include "level/ColourText.h"

namespace {

// A colour a few steps from a marker was most likely meant to be that marker.
constexpr int closeToMarker = 16;

} // namespace

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

std::optional<size_t> nearestMarker(const std::vector<uint32_t>& markers, uint32_t colour) {
    std::optional<size_t> nearest;
    int best = closeToMarker + 1;
    for (size_t i = 0; i < markers.size(); ++i) {
        const int distance = channelDistance(markers[i], colour);
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}
