#include "tests/check/DeflatedPng.h"

#include <cstdio>
#include <vector>
#include <zlib.h>

namespace {

void put32(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

bool writeChunk(std::FILE* file, const char* type, const std::vector<unsigned char>& data) {
    std::vector<unsigned char> chunk;
    put32(chunk, uint32_t(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    put32(chunk, uint32_t(crc32(0, chunk.data() + 4, uInt(chunk.size() - 4))));
    return std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
}

} // namespace

bool writeDeflatedPng(const std::string& path, int width, int height,
                      const std::function<void(int, uint32_t*)>& row) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite("\x89PNG\r\n\x1a\n", 1, 8, file) == 8;
    std::vector<unsigned char> header;
    put32(header, uint32_t(width));
    put32(header, uint32_t(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace
    ok = ok && writeChunk(file, "IHDR", header);

    z_stream stream = {};
    deflateInit(&stream, 6);
    std::vector<uint32_t> pixels(static_cast<size_t>(width));
    std::vector<unsigned char> raw(size_t(width) * 4 + 1);
    std::vector<unsigned char> compressed(1 << 16);
    for (int y = 0; y <= height && ok; ++y) {
        const bool last = y == height;
        if (!last) {
            row(y, pixels.data());
            raw[0] = 0; // no filter
            for (int x = 0; x < width; ++x) {
                const uint32_t p = pixels[size_t(x)];
                unsigned char* out = &raw[1 + size_t(x) * 4];
                out[0] = (p >> 16) & 0xFF;
                out[1] = (p >> 8) & 0xFF;
                out[2] = p & 0xFF;
                out[3] = (p >> 24) & 0xFF;
            }
            stream.next_in = raw.data();
            stream.avail_in = uInt(raw.size());
        }
        int status = Z_OK;
        do {
            stream.next_out = compressed.data();
            stream.avail_out = uInt(compressed.size());
            status = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            const size_t produced = compressed.size() - stream.avail_out;
            if (produced > 0)
                ok = ok && writeChunk(file, "IDAT",
                                      std::vector<unsigned char>(
                                          compressed.begin(), compressed.begin() + long(produced)));
        } while (ok && (stream.avail_in > 0 || (last && status != Z_STREAM_END)));
    }
    deflateEnd(&stream);
    ok = ok && writeChunk(file, "IEND", {});
    return std::fclose(file) == 0 && ok;
}
