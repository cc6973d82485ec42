#include "tools/XwdImage.h"

namespace {

uint32_t big32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 |
           uint32_t(uint8_t(b[at + 2])) << 8 | uint32_t(uint8_t(b[at + 3]));
}

uint32_t little32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at + 3])) << 24 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at]));
}

int shiftOf(uint32_t mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

} // namespace

XwdImage decodeXwd(const std::string& bytes) {
    XwdImage shot;
    if (bytes.size() < 100)
        return shot;
    const uint32_t headerSize = big32(bytes, 0);
    const uint32_t width = big32(bytes, 16), height = big32(bytes, 20);
    const uint32_t byteOrder = big32(bytes, 28);
    const uint32_t bitsPerPixel = big32(bytes, 44), bytesPerLine = big32(bytes, 48);
    const uint32_t red = big32(bytes, 56), green = big32(bytes, 60), blue = big32(bytes, 64);
    const uint32_t colours = big32(bytes, 76);
    const size_t data = size_t(headerSize) + size_t(colours) * 12;
    // Every row must lie inside the data, and every pixel inside its row.
    if (bitsPerPixel != 32 || headerSize < 100 || bytesPerLine == 0 ||
        size_t(bytesPerLine) < size_t(width) * 4 || bytes.size() < data ||
        (bytes.size() - data) / bytesPerLine < height)
        return shot;
    shot.width = int(width);
    shot.height = int(height);
    shot.pixels.resize(size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = data + size_t(y) * bytesPerLine + size_t(x) * 4;
            const uint32_t p = byteOrder == 0 ? little32(bytes, at) : big32(bytes, at);
            const uint32_t r = (p & red) >> shiftOf(red), g = (p & green) >> shiftOf(green),
                           b = (p & blue) >> shiftOf(blue);
            shot.pixels[size_t(y) * width + x] = r << 16 | g << 8 | b;
        }
    }
    return shot;
}
