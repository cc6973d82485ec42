#include "app/CellArtTable.h"

#include "app/TextureSamples.h"
#include "level/LevelLayout.h"
#include "sprites/Sprite.h"

namespace {

// The markers: every file's colour, and the collision colours, which the scan keeps apart.
std::vector<uint32_t> markersOf(const LevelContents& level) {
    std::vector<uint32_t> markers = level.levelColors;
    for (const std::optional<uint32_t>& collision : {level.walkBehindColor, level.walkIntoColor}) {
        if (collision)
            markers.push_back(*collision);
    }
    return markers;
}

template <typename Value>
const Value* find(const std::map<uint32_t, Value>& map, uint32_t key) {
    const auto found = map.find(key);
    return found != map.end() ? &found->second : nullptr;
}

} // namespace

const CellArt& CellArtTable::of(uint32_t pixel) {
    const auto found = art_.find(pixel);
    if (found != art_.end())
        return found->second;
    if (!classes_)
        classes_ = std::make_unique<MapPixel>(markersOf(level_));
    CellArt art;
    const MapPixelClass cls = classes_->classify(pixel);
    Sprite* const* texture = find(level_.textureByColor, pixel);
    const std::string* object = find(level_.objectNameByColor, pixel);
    if (cls.kind == MapPixelKind::Empty) {
        art.kind = CellArt::Empty;
        art.what = "empty";
    } else if (cls.kind == MapPixelKind::Stray) {
        art.kind = CellArt::Stray;
        art.what = "no marker";
    } else if (texture && *texture) {
        art.kind = CellArt::Texture;
        art.texture = *texture;
        art.colour = averageColour(*texture, pixel);
        art.what = (*texture)->getName();
        // A map cannot tell a texture from an object of the same colour: both are named.
        art.object = object ? *object : "";
        art.marker = pixel;
        art.hasRow = true;
    } else if (object && !object->empty()) {
        art.kind = CellArt::Framed;
        art.colour = pixel | CellArt::black;
        art.what = *object;
        art.marker = pixel;
        art.hasRow = true;
    } else {
        art.kind = CellArt::Fill;
        art.colour = pixel | CellArt::black;
        const bool behind = level_.walkBehindColor == pixel;
        art.what = behind ? "walk behind" : "walk into";
        art.meant = behind ? walkBehindSwatch : walkIntoSwatch;
    }
    if (art.meant.empty())
        art.meant = art.what;
    return art_.emplace(pixel, std::move(art)).first->second;
}

const std::vector<uint32_t>& CellArtTable::smallOf(const CellArt& art) {
    CellArt& kept = const_cast<CellArt&>(art); // art_'s own entry: only its cache is filled
    if (kept.small.empty()) {
        kept.small = sampledImage(art.texture, CellArt::smallSide);
        if (kept.small.empty())
            kept.small.assign(size_t(CellArt::smallSide * CellArt::smallSide), art.colour);
    }
    return kept.small;
}

Meant CellArtTable::meantAt(const PixelRows& map, int x, int y) {
    if (!meant_)
        meant_ = std::make_unique<MeantMarker>(markersOf(level_), snap_);
    return meant_->meant(map, x, y);
}

void CellArtTable::setSnap(int snap) {
    snap_ = snap;
    meant_.reset();
}

void CellArtTable::forget() {
    art_.clear();
    classes_.reset();
    meant_.reset();
    ++generation_;
}
