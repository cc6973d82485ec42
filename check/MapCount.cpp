#include "check/MapCount.h"

#include "check/SwatchReading.h"
#include "level/SwatchColor.h"
#include "platform/OwnedSurface.h"

#include <SDL.h>
#include <algorithm>
#include <unordered_map>

namespace {

constexpr int bandRows = 256;

class Counter {
  public:
    explicit Counter(MapCount& map) : map_(map) { index_.reserve(1024); }

    // One run of `length` pixels of `colour` starting at (x, y).
    void addRun(uint32_t colour, int x, int y, int length) {
        ColourCount* count = find(colour);
        if (!count) {
            map_.untrackedPixels += uint64_t(length);
            return;
        }
        for (int i = 0; i < length && count->first.size() < MapCount::firstPositions; ++i)
            count->first.push_back({x + i, y});
        count->pixels += uint64_t(length);
    }

  private:
    ColourCount* find(uint32_t colour) {
        const auto found = index_.find(colour);
        if (found != index_.end())
            return &map_.colours[found->second];
        if (map_.colours.size() >= MapCount::trackedColours)
            return nullptr;
        index_.emplace(colour, map_.colours.size());
        map_.colours.push_back({colour, 0, {}});
        return &map_.colours.back();
    }

    MapCount& map_;
    std::unordered_map<uint32_t, size_t> index_;
};

// Counts the rows [first, last) of a band whose top row is map row `top`.
void countBand(SDL_Surface* band, int top, int first, int last, Counter& counter) {
    for (int y = first; y < last; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(
            static_cast<const Uint8*>(band->pixels) + size_t(y - top) * band->pitch);
        int x = 0;
        while (x < band->w) {
            int end = x + 1;
            while (end < band->w && row[end] == row[x])
                ++end;
            counter.addRun(row[x], x, y, end - x);
            x = end;
        }
    }
}

} // namespace

MapCount countMap(const std::string& file, const BandVisitor& visit) {
    MapCount map;
    const OwnedSurface image(decodeLevelImage(file, map.reason));
    if (!image)
        return map;
    map.width = image->w;
    map.height = image->h;
    Counter counter(map);
    for (int row = 0; row < image->h; row += bandRows) {
        const int last = std::min(image->h, row + bandRows);
        // A visitor sees the rows around the band's too.
        const int top = visit ? std::max(0, row - 1) : row;
        const int bottom = visit ? std::min(image->h, last + 1) : last;
        const OwnedSurface band(convertRowsToDisplayLayout(image.get(), top, bottom - top));
        if (!band) {
            map.reason = SDL_GetError();
            map.colours.clear();
            return map;
        }
        SDL_LockSurface(band.get());
        countBand(band.get(), top, row, last, counter);
        if (visit)
            visit({static_cast<const uint32_t*>(band->pixels), band->w, band->h,
                   size_t(band->pitch) / sizeof(uint32_t)},
                  top, row, last);
        SDL_UnlockSurface(band.get());
    }
    map.read = true;
    return map;
}
