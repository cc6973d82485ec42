#include "level/MapCanvas.h"

#include <algorithm>

MapCanvas::MapCanvas(int width, int height)
    : MapCanvas(width, height,
                std::vector<uint32_t>(width > 0 && height > 0 ? size_t(width) * size_t(height) : 0,
                                      0u)) {}

MapCanvas::MapCanvas(int width, int height, std::vector<uint32_t> pixels) {
    if (width < 0 || height < 0 || pixels.size() != size_t(width) * size_t(height))
        return;
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
}

void MapCanvas::fill(size_t start, size_t count, uint32_t colour) {
    std::fill_n(pixels_.begin() + ptrdiff_t(start), count, colour);
    ++revision_;
}
