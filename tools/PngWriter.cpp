#include "tools/PngWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <zlib.h>

namespace {

// A chunk's CRC covers its type and data.
uint32_t chunkCrc(const std::vector<uint8_t>& bytes, size_t from) {
    return uint32_t(crc32(0, bytes.data() + from, uInt(bytes.size() - from)));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, chunkCrc(out, start));
}

// The byte that each filter type predicts from: a is left, b above, c above-left.
uint8_t paeth(uint8_t a, uint8_t b, uint8_t c) {
    const int p = int(a) + int(b) - int(c);
    const int pa = std::abs(p - int(a));
    const int pb = std::abs(p - int(b));
    const int pc = std::abs(p - int(c));
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

uint8_t predict(int type, uint8_t a, uint8_t b, uint8_t c) {
    switch (type) {
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return uint8_t((int(a) + int(b)) / 2);
    case 4:
        return paeth(a, b, c);
    default:
        return 0;
    }
}

// Each row gets the filter whose output has the smallest sum of absolute values, as common
// encoders choose, so that files compress and decode like ordinary PNG files.
void appendFilteredRow(std::vector<uint8_t>& raw, const uint8_t* row, const uint8_t* above,
                       size_t length) {
    constexpr size_t bytesPerPixel = 4;
    std::vector<uint8_t> best;
    uint64_t bestCost = UINT64_MAX;
    int bestType = 0;
    std::vector<uint8_t> trial(length);
    for (int type = 0; type < 5; ++type) {
        uint64_t cost = 0;
        for (size_t i = 0; i < length; ++i) {
            const uint8_t a = i >= bytesPerPixel ? row[i - bytesPerPixel] : 0;
            const uint8_t b = above ? above[i] : 0;
            const uint8_t c = above && i >= bytesPerPixel ? above[i - bytesPerPixel] : 0;
            trial[i] = uint8_t(row[i] - predict(type, a, b, c));
            cost += trial[i] < 128 ? trial[i] : 256 - trial[i];
        }
        if (cost < bestCost) {
            bestCost = cost;
            bestType = type;
            best.swap(trial);
            trial.resize(length);
        }
    }
    raw.push_back(uint8_t(bestType));
    raw.insert(raw.end(), best.begin(), best.end());
}

} // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height))
        return false;
    const size_t rowLength = size_t(width) * 4;
    std::vector<uint8_t> rgba(size_t(height) * rowLength);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = pixels[i];
        rgba[4 * i] = uint8_t(p >> 16);
        rgba[4 * i + 1] = uint8_t(p >> 8);
        rgba[4 * i + 2] = uint8_t(p);
        rgba[4 * i + 3] = uint8_t(p >> 24);
    }
    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (rowLength + 1));
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rgba.data() + size_t(y) * rowLength;
        appendFilteredRow(raw, row, y > 0 ? row - rowLength : nullptr, rowLength);
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        return false;
    packed.resize(packedSize);
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put32(header, uint32_t(width));
    put32(header, uint32_t(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

bool writeFlatPng(const std::string& path, int width, int height, uint32_t argb) {
    return writePng(path, width, height,
                    std::vector<uint32_t>(size_t(width) * size_t(height), argb));
}
