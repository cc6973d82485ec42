#include "pngwriter/PngWriter.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace {

// One row in file order, whatever the machine's byte order.
void toRgba(const uint32_t* pixels, size_t count, uint8_t* rgba) {
    for (size_t i = 0; i < count; ++i) {
        rgba[i * 4] = uint8_t(pixels[i] >> 16);
        rgba[i * 4 + 1] = uint8_t(pixels[i] >> 8);
        rgba[i * 4 + 2] = uint8_t(pixels[i]);
        rgba[i * 4 + 3] = uint8_t(pixels[i] >> 24);
    }
}

// libpng reports errors by a long jump back into this function; nothing in it may need a
// destructor past setjmp.
bool writeRows(std::FILE* file, int width, int height,
               const std::function<void(int, uint32_t*)>& row, uint32_t* pixels, png_byte* rgba) {
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
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        row(y, pixels);
        toRgba(pixels, size_t(width), rgba);
        png_write_row(png, rgba);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height))
        return false;
    std::vector<uint8_t> rgba(pixels.size() * 4);
    toRgba(pixels.data(), pixels.size(), rgba.data());
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    const bool written =
        png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return written;
}

bool writeFlatPng(const std::string& path, int width, int height, uint32_t argb) {
    if (width <= 0 || height <= 0)
        return false;
    return writePng(path, width, height,
                    std::vector<uint32_t>(size_t(width) * size_t(height), argb));
}

bool writePngRows(const std::string& path, int width, int height,
                  const std::function<void(int, uint32_t*)>& row) {
    if (width <= 0 || height <= 0)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width));
    std::vector<png_byte> rgba(size_t(width) * 4);
    const bool written = writeRows(file, width, height, row, pixels.data(), rgba.data());
    return std::fclose(file) == 0 && written;
}
