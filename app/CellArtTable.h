#pragma once

#include "app/CellArt.h"
#include "app/Level.h"
#include "level/MapPixel.h"
#include "level/MeantMarker.h"

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
    // What the stray at (x, y) of `map` was meant to be, by level/MeantMarker's rule within
    // snap() of the level's markers as they are now. Never fails.
    Meant meantAt(const PixelRows& map, int x, int y);
    // How far a stray may lie from the marker meant (--snap); the default until set.
    int snap() const { return snap_; }
    void setSnap(int snap);

    // Forgets every colour's art, for a level whose sprites may be gone or whose colours
    // changed. Never fails.
    void forget();
    // Counts the times the art was forgotten, for what was drawn from it.
    uint64_t generation() const { return generation_; }

  private:
    const LevelContents& level_;
    std::unordered_map<uint32_t, CellArt> art_;
    std::unique_ptr<MapPixel> classes_;  // made for the level's markers on first use
    std::unique_ptr<MeantMarker> meant_; // likewise
    int snap_ = MeantMarker::defaultSnap;
    uint64_t generation_ = 0;
};
