#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An RGBA picture in memory (0xAARRGGBB, rows from the top) with the few drawing operations
// the tools need. Coordinates outside the picture are ignored when drawing and read as 0.
class Canvas {
  public:
    Canvas(int width, int height, uint32_t fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<uint32_t>& pixels() const { return pixels_; }

    uint32_t get(int x, int y) const;
    void set(int x, int y, uint32_t argb);
    // Moves pixel (x, y) t of the way towards argb's colour, keeping it opaque.
    void tint(int x, int y, uint32_t argb, double t);
    void fillRect(int x, int y, int w, int h, uint32_t argb);
    // Horizontal or vertical run of pixels, inclusive of both ends.
    void hLine(int x0, int x1, int y, uint32_t argb);
    void vLine(int x, int y0, int y1, uint32_t argb);
    void fillCircle(double cx, double cy, double r, uint32_t argb);
    // Copies src with its top-left corner at (x, y), transparent pixels included.
    void paste(const Canvas& src, int x, int y);

    // Writes the picture as a PNG file; false when the file cannot be written.
    bool save(const std::string& path) const;

  private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};
