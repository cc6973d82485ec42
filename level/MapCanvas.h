#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The pixels of a map being painted, one a cell: display-layout words (alpha in the top byte,
// then red, green and blue), rows from the top, as maps are read. Its revision counts the
// changes, so that a view knows when to draw it again.
class MapCanvas {
  public:
    MapCanvas() = default;
    // A fully transparent map of that size; a negative side makes a 0 by 0 canvas.
    MapCanvas(int width, int height);
    // A map of these pixels; a vector whose size is not width times height (or a negative
    // side) makes a 0 by 0 canvas.
    MapCanvas(int width, int height, std::vector<uint32_t> pixels);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int column, int row) const {
        return column >= 0 && row >= 0 && column < width_ && row < height_;
    }
    // The index of a cell in pixels(); the cell must lie inside.
    size_t index(int column, int row) const {
        return size_t(row) * size_t(width_) + size_t(column);
    }
    // The pixel of a cell inside the map.
    uint32_t at(int column, int row) const { return pixels_[index(column, row)]; }
    const std::vector<uint32_t>& pixels() const { return pixels_; }
    uint64_t revision() const { return revision_; }

    // Sets `count` cells from the index `start`, which must lie inside.
    void fill(size_t start, size_t count, uint32_t colour);
    void set(size_t index, uint32_t colour) {
        pixels_[index] = colour;
        ++revision_;
    }

  private:
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;
    uint64_t revision_ = 0;
};
