#pragma once

#include "app/CellArt.h"
#include "app/Level.h"
#include "level/MapPixel.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// What each colour of a map draws as in a level, worked out once per colour: classified by the
// level's markers (every file's colour and the collision colours), then named and coloured by
// what carries the colour. The level is read, never changed; it must outlive the table.
class CellArtTable {
  public:
    explicit CellArtTable(const LevelContents& level) : level_(level) {}
    const LevelContents& level() const { return level_; }

    // The art of a pixel's colour, kept until forget(). Never fails: a texture whose image
    // cannot be read is coloured with its marker.
    const CellArt& of(uint32_t pixel);
    // A texture's image sampled at CellArt::smallSide a side, kept in its art; a texture that
    // has no image file of its own, or cannot be read, is its average colour throughout.
    const std::vector<uint32_t>& smallOf(const CellArt& art);
    // The marker a stray colour was most likely meant to be (level/MapPixel's nearestMarker);
    // none when no marker is near. Never fails.
    std::optional<uint32_t> markerNear(uint32_t pixel) const;

    // Forgets every colour's art, for a level whose sprites may be gone or whose colours
    // changed. Never fails.
    void forget();
    // Counts the times the art was forgotten, for what was drawn from it.
    uint64_t generation() const { return generation_; }

  private:
    const LevelContents& level_;
    std::unordered_map<uint32_t, CellArt> art_;
    std::unique_ptr<MapPixel> classes_; // made for the level's markers on first use
    uint64_t generation_ = 0;
};
