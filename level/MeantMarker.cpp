#include "level/MeantMarker.h"

#include <algorithm>

namespace {

struct Rgb {
    int64_t r, g, b;
};

Rgb rgbOf(uint32_t colour) {
    return {int64_t((colour >> 16) & 0xFF), int64_t((colour >> 8) & 0xFF), int64_t(colour & 0xFF)};
}

Rgb minus(Rgb a, Rgb b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}

int64_t dot(Rgb a, Rgb b) {
    return a.r * b.r + a.g * b.g + a.b * b.b;
}

int64_t squaredDistance(uint32_t a, uint32_t b) {
    const Rgb d = minus(rgbOf(a), rgbOf(b));
    return dot(d, d);
}

// The tie's last word: the lower RGB value, then the lower alpha.
bool lowerColour(uint32_t a, uint32_t b) {
    const uint32_t rgbA = a & 0xFFFFFFu, rgbB = b & 0xFFFFFFu;
    return rgbA != rgbB ? rgbA < rgbB : a < b;
}

// How far a stray lies from the segment A-B, as a fraction kept exact in integers; set only
// when the stray is nearer A than B, so that the segment's nearest point is at most halfway.
struct SegmentDistance {
    int64_t numerator = 0; // the squared distance times `denominator`
    int64_t denominator = 1;

    bool within(int64_t squaredSnap) const { return numerator <= squaredSnap * denominator; }
    bool below(const SegmentDistance& o) const {
        return numerator * o.denominator < o.numerator * denominator;
    }
};

bool blendDistance(uint32_t stray, uint32_t a, uint32_t b, SegmentDistance& distance) {
    const Rgb ab = minus(rgbOf(b), rgbOf(a));
    const Rgb as = minus(rgbOf(stray), rgbOf(a));
    const int64_t length = dot(ab, ab);
    const int64_t along = dot(as, ab); // the projection's place times `length`
    // Behind A, the nearest point is A itself, which the caller has tried; from halfway on,
    // the stray is no nearer A than B.
    if (length == 0 || along < 0 || 2 * along >= length)
        return false;
    distance = {dot(as, as) * length - along * along, length};
    return true;
}

} // namespace

MeantMarker::MeantMarker(const std::vector<uint32_t>& markers, int snap)
    : classes_(markers), snap_(snap) {
    // No pixel carries a fully transparent marker: such a pixel is empty.
    for (const uint32_t marker : markers) {
        if (marker >> 24)
            markers_.push_back(marker);
    }
    std::sort(markers_.begin(), markers_.end());
    markers_.erase(std::unique(markers_.begin(), markers_.end()), markers_.end());
}

Meant MeantMarker::meant(const PixelRows& map, int x, int y) {
    const uint32_t stray = map.at(x, y);
    Neighbour neighbours[8];
    int distinct = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= map.width || ny >= map.rows)
                continue;
            const uint32_t pixel = map.at(nx, ny);
            if (classes_.classify(pixel).kind != MapPixelKind::Marker)
                continue;
            int i = 0;
            while (i < distinct && neighbours[i].colour != pixel)
                ++i;
            if (i == distinct)
                neighbours[distinct++] = {pixel, 0};
            ++neighbours[i].count;
        }
    }
    const int64_t squaredSnap = int64_t(snap_) * snap_;
    // Ranks two neighbour markers: most neighbours, then the lower colour.
    const auto before = [](const Neighbour& a, const Neighbour& b) {
        return a.count != b.count ? a.count > b.count : lowerColour(a.colour, b.colour);
    };
    Meant best;
    int64_t bestDistance = 0;
    const Neighbour* bestNeighbour = nullptr;
    for (int i = 0; i < distinct; ++i) {
        const Neighbour& a = neighbours[i];
        const int64_t distance = squaredDistance(stray, a.colour);
        Meant found{Meant::Near, a.colour, 0};
        if (distance > squaredSnap) {
            const Neighbour* blendsWith = nullptr;
            SegmentDistance nearest;
            for (int j = 0; j < distinct; ++j) {
                SegmentDistance segment;
                if (j == i || !blendDistance(stray, a.colour, neighbours[j].colour, segment) ||
                    !segment.within(squaredSnap))
                    continue;
                if (!blendsWith || segment.below(nearest) ||
                    (!nearest.below(segment) && before(neighbours[j], *blendsWith))) {
                    blendsWith = &neighbours[j];
                    nearest = segment;
                }
            }
            if (!blendsWith)
                continue;
            found = {Meant::Blend, a.colour, blendsWith->colour};
        }
        if (!bestNeighbour || distance < bestDistance ||
            (distance == bestDistance && before(a, *bestNeighbour))) {
            best = found;
            bestDistance = distance;
            bestNeighbour = &a;
        }
    }
    return bestNeighbour ? best : nearestOfAll(stray);
}

Meant MeantMarker::nearestOfAll(uint32_t colour) {
    const uint32_t rgb = colour & 0xFFFFFFu;
    const auto cached = nearestOfAll_.find(rgb);
    if (cached != nearestOfAll_.end())
        return cached->second;
    const int64_t squaredSnap = int64_t(snap_) * snap_;
    Meant best;
    int64_t bestDistance = squaredSnap + 1;
    for (const uint32_t marker : markers_) {
        const int64_t distance = squaredDistance(rgb, marker);
        if (distance < bestDistance || (distance == bestDistance && best.kind == Meant::Near &&
                                        lowerColour(marker, best.marker))) {
            best = {Meant::Near, marker, 0};
            bestDistance = distance;
        }
    }
    return nearestOfAll_.emplace(rgb, best).first->second;
}
