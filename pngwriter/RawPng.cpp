#include "pngwriter/RawPng.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace {

size_t rowBytes(const RawPng& raw) {
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    return (size_t(raw.width) * size_t(channels[raw.colourType]) * size_t(raw.bitDepth) + 7) / 8;
}

// libpng reports errors by a long jump back into this function; nothing in it may need a
// destructor past setjmp.
bool writeFile(std::FILE* file, const RawPng& raw, png_color* entries, png_byte* alpha,
               png_text* text) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(raw.width), png_uint_32(raw.height), raw.bitDepth,
                 raw.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    int alphaCount = 0;
    for (size_t i = 0; i < raw.palette.size(); ++i) {
        const uint32_t colour = raw.palette[i];
        entries[i] = {png_byte(colour >> 16), png_byte(colour >> 8), png_byte(colour)};
        alpha[i] = png_byte(colour >> 24);
        if (alpha[i] != 0xFF)
            alphaCount = int(i) + 1;
    }
    if (!raw.palette.empty())
        png_set_PLTE(png, info, entries, int(raw.palette.size()));
    if (alphaCount > 0)
        png_set_tRNS(png, info, alpha, alphaCount, nullptr);
    if (raw.colourChunks) {
        png_set_gAMA_fixed(png, info, 70000);
        png_set_cHRM_fixed(png, info, 31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000);
    }
    const size_t textCount = raw.text.size() + raw.internationalText.size();
    if (textCount > 0)
        png_set_text(png, info, text, int(textCount));
    png_write_info(png, info);
    const size_t bytes = rowBytes(raw);
    for (int y = 0; y < raw.height; ++y)
        png_write_row(png, raw.samples.data() + size_t(y) * bytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

png_text textChunk(const std::pair<std::string, std::string>& chunk, int compression) {
    png_text text = {};
    text.compression = compression;
    text.key = const_cast<char*>(chunk.first.c_str());
    text.text = const_cast<char*>(chunk.second.c_str());
    text.text_length = chunk.second.size();
    return text;
}

} // namespace

bool writeRawPng(const std::string& path, const RawPng& raw) {
    if (raw.width <= 0 || raw.height <= 0 || raw.colourType < 0 || raw.colourType > 6 ||
        raw.samples.size() != rowBytes(raw) * size_t(raw.height) || raw.palette.size() > 256)
        return false;
    std::vector<png_color> entries(raw.palette.size());
    std::vector<png_byte> alpha(raw.palette.size());
    std::vector<png_text> text;
    for (const auto& chunk : raw.text)
        text.push_back(textChunk(chunk, PNG_TEXT_COMPRESSION_NONE));
    for (const auto& chunk : raw.internationalText)
        text.push_back(textChunk(chunk, PNG_ITXT_COMPRESSION_NONE));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = writeFile(file, raw, entries.data(), alpha.data(), text.data());
    return std::fclose(file) == 0 && written;
}
