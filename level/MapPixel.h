#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// What one pixel of a painted level map stands for: a marker colour of the level (by its
// index in the markers given), nothing at all (a fully transparent pixel, left unpainted), or a
// stray colour that stands for nothing.
enum class MapPixelKind { Marker, Empty, Stray };

struct MapPixelClass {
    MapPixelKind kind;
    size_t marker; // the marker's index; only for MapPixelKind::Marker
};

// Tells a map's pixels apart by the level's marker colours, which are 32-bit display-layout
// values (alpha in the top byte) compared as whole values, as swatches are.
class MapPixel {
  public:
    explicit MapPixel(const std::vector<uint32_t>& markers);

    // The class of a pixel's colour: any pixel whose alpha is 0 is empty, even one that matches
    // a marker's colour (an editor's eraser leaves any colour under alpha 0). Never fails.
    MapPixelClass classify(uint32_t pixel) const;

  private:
    std::unordered_map<uint32_t, size_t> markerIndex_;
};
