#include "app/MapReduction.h"

#include <algorithm>

namespace {

// The reduction below all others is made from the map: cells in squares of this side.
constexpr int firstSide = 1 << -MapReduction::largestZoom;

// The sums of a square of cells: alpha, each channel weighted by alpha, and the cells.
struct Sums {
    uint64_t alpha = 0, red = 0, green = 0, blue = 0, cells = 0;

    void add(uint32_t colour) {
        const uint64_t a = colour >> 24;
        alpha += a;
        red += a * ((colour >> 16) & 0xFFu);
        green += a * ((colour >> 8) & 0xFFu);
        blue += a * (colour & 0xFFu);
        ++cells;
    }
    void add(const Sums& other) {
        alpha += other.alpha;
        red += other.red;
        green += other.green;
        blue += other.blue;
        cells += other.cells;
    }
    uint32_t mean() const {
        if (alpha == 0)
            return 0;
        const auto of = [&](uint64_t sum) { return uint32_t((sum + alpha / 2) / alpha); };
        return uint32_t((alpha + cells / 2) / cells) << 24 | of(red) << 16 | of(green) << 8 |
               of(blue);
    }
};

// The flat colours of the map's pixels, remembered in a small table: a map holds few colours,
// and looking each pixel up in the art's table would cost more than the reduction itself.
class ColourCache {
  public:
    ColourCache(MapLook look, CellArtTable& art) : look_(look), art_(art) {}
    uint32_t of(uint32_t pixel) {
        const size_t slot = (pixel * 2654435761u) >> (32 - bits);
        if (!known_[slot] || pixels_[slot] != pixel) {
            known_[slot] = true;
            pixels_[slot] = pixel;
            colours_[slot] = MapReduction::flatColour(pixel, look_, art_);
        }
        return colours_[slot];
    }

  private:
    static constexpr int bits = 12;
    MapLook look_;
    CellArtTable& art_;
    std::vector<bool> known_ = std::vector<bool>(size_t(1) << bits);
    std::vector<uint32_t> pixels_ = std::vector<uint32_t>(size_t(1) << bits);
    std::vector<uint32_t> colours_ = std::vector<uint32_t>(size_t(1) << bits);
};

int sidesIn(int cells, int side) {
    return (cells + side - 1) / side;
}

} // namespace

uint32_t MapReduction::flatColour(uint32_t pixel, MapLook look, CellArtTable& art) {
    if (look == MapLook::Painted)
        return pixel;
    const CellArt& cellArt = art.of(pixel);
    const uint32_t shown = cellArt.kind == CellArt::Empty   ? 0
                           : cellArt.kind == CellArt::Stray ? CellArt::magenta
                                                            : cellArt.colour;
    return look == MapLook::PaintedOverArt ? drawnOver(halfOpacity(pixel), shown) : shown;
}

const MapReduction::Image& MapReduction::at(const MapList::Map& map, int zoom, MapLook look,
                                            CellArtTable& art) {
    const std::string key = map.path + "|" + map.version() + "|" +
                            std::to_string(size_t(map.pixels().data())) + "|" +
                            std::to_string(int(look)) + "|" + std::to_string(art.generation());
    if (key != key_) {
        make(map, look, art);
        key_ = key;
    }
    return images_[std::clamp(largestZoom - zoom, 0, largestZoom - smallestZoom)];
}

void MapReduction::make(const MapList::Map& map, MapLook look, CellArtTable& art) {
    // The squares of the first reduction, summed row by row of the map.
    const int across = sidesIn(map.width, firstSide), down = sidesIn(map.height, firstSide);
    std::vector<Sums> squares(size_t(across) * size_t(down));
    ColourCache colours(look, art);
    uint32_t lastPixel = 0, lastColour = colours.of(0);
    for (int y = 0; y < map.height; ++y) {
        const uint32_t* row = map.pixels().data() + size_t(y) * size_t(map.width);
        Sums* sums = squares.data() + size_t(y / firstSide) * size_t(across);
        for (int x = 0; x < map.width; ++x) {
            // Maps are painted in runs of one colour.
            if (row[x] != lastPixel) {
                lastPixel = row[x];
                lastColour = colours.of(lastPixel);
            }
            sums[x / firstSide].add(lastColour);
        }
    }
    // Each reduction from the first one's squares, 1, 2 or 4 of them a side.
    for (int level = 0; level <= largestZoom - smallestZoom; ++level) {
        const int side = 1 << level;
        Image& image = images_[level];
        image.width = sidesIn(across, side);
        image.height = sidesIn(down, side);
        image.pixels.assign(size_t(image.width) * size_t(image.height), 0);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                Sums total;
                for (int dy = 0; dy < side && y * side + dy < down; ++dy) {
                    for (int dx = 0; dx < side && x * side + dx < across; ++dx)
                        total.add(squares[size_t(y * side + dy) * size_t(across) +
                                          size_t(x * side + dx)]);
                }
                image.pixels[size_t(y) * size_t(image.width) + size_t(x)] = total.mean();
            }
        }
    }
}
