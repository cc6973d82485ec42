#include "check/MapCount.h"

#include "check/SwatchReading.h"
#include "level/SwatchColor.h"
#include "platform/OwnedSurface.h"

#include <SDL.h>
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

void countBand(SDL_Surface* band, int firstRow, Counter& counter) {
    SDL_LockSurface(band);
    for (int y = 0; y < band->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(
            static_cast<const Uint8*>(band->pixels) + size_t(y) * band->pitch);
        int x = 0;
        while (x < band->w) {
            int end = x + 1;
            while (end < band->w && row[end] == row[x])
                ++end;
            counter.addRun(row[x], x, firstRow + y, end - x);
            x = end;
        }
    }
    SDL_UnlockSurface(band);
}

} // namespace

MapCount countMap(const std::string& file) {
    MapCount map;
    const OwnedSurface image(decodeLevelImage(file, map.reason));
    if (!image)
        return map;
    map.width = image->w;
    map.height = image->h;
    Counter counter(map);
    for (int row = 0; row < image->h; row += bandRows) {
        const int rows = image->h - row < bandRows ? image->h - row : bandRows;
        const OwnedSurface band(convertRowsToDisplayLayout(image.get(), row, rows));
        if (!band) {
            map.reason = SDL_GetError();
            map.colours.clear();
            return map;
        }
        countBand(band.get(), row, counter);
    }
    map.read = true;
    return map;
}
