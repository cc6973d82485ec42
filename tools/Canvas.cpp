#include "tools/Canvas.h"

#include "pngwriter/PngWriter.h"
#include "tools/Colour.h"

#include <cmath>

Canvas::Canvas(int width, int height, uint32_t fill)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
      pixels_(size_t(width_) * size_t(height_), fill) {}

uint32_t Canvas::get(int x, int y) const {
    return inside(x, y) ? pixels_[size_t(y) * size_t(width_) + size_t(x)] : 0;
}

void Canvas::set(int x, int y, uint32_t argb) {
    if (inside(x, y))
        pixels_[size_t(y) * size_t(width_) + size_t(x)] = argb;
}

void Canvas::tint(int x, int y, uint32_t argb, double t) {
    if (inside(x, y))
        set(x, y, mix(get(x, y), argb, t));
}

void Canvas::fillRect(int x, int y, int w, int h, uint32_t argb) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, argb);
}

void Canvas::hLine(int x0, int x1, int y, uint32_t argb) {
    for (int x = x0; x <= x1; ++x)
        set(x, y, argb);
}

void Canvas::vLine(int x, int y0, int y1, uint32_t argb) {
    for (int y = y0; y <= y1; ++y)
        set(x, y, argb);
}

void Canvas::fillCircle(double cx, double cy, double r, uint32_t argb) {
    for (int y = int(std::floor(cy - r)); y <= int(std::ceil(cy + r)); ++y)
        for (int x = int(std::floor(cx - r)); x <= int(std::ceil(cx + r)); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= r * r)
                set(x, y, argb);
        }
}

void Canvas::paste(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            set(x + i, y + j, src.get(i, j));
}

bool Canvas::save(const std::string& path) const {
    return writePng(path, width_, height_, pixels_);
}
