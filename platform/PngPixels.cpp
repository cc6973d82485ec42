#include "platform/PngPixels.h"

#include "platform/ImageHeader.h"
#include "platform/RegularFile.h"

#include <SDL_endian.h>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <png.h>

namespace {

// An error of libpng ends the read at the setjmp of decode(); its words are the image
// library's to report, when it reads the file again.
void quietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// A warning is kept until the read succeeds, then written as libpng writes it itself: a read
// that fails leaves the file to the image library, which writes its warnings again.
void keptWarning(png_structp png, png_const_charp words) {
    static_cast<std::string*>(png_get_error_ptr(png))
        ->append("libpng warning: ")
        .append(words)
        .append("\n");
}

// What the transforms leave: one 32-bit word a pixel in display layout.
void setTransforms(png_structp png, png_infop info) {
    const int type = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_expand(png); // palette to RGB, grey to 8 bits, tRNS to alpha
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    png_set_bgr(png); // B G R A in memory: 0xAARRGGBB
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
#else
    png_set_swap_alpha(png); // A R G B in memory
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
#endif
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Whether the image library keys a transparent colour of this image by rules of its own
// rather than reading it as alpha: a grey image's (keyed by a colour of no use to a grey
// image) and a 16-bit image's (keyed by the low bytes of the 16-bit colour, which the cut
// samples do not keep).
bool keyedByOwnRules(png_structp png, png_infop info) {
    return png_get_valid(png, info, PNG_INFO_tRNS) &&
           png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE &&
           (png_get_color_type(png, info) == PNG_COLOR_TYPE_GRAY ||
            png_get_bit_depth(png, info) == 16);
}

// The read itself, apart from anything with a destructor, which a longjmp would skip.
bool decode(png_structp png, png_infop info, std::FILE* file, int& width, int& height,
            std::vector<uint32_t>& pixels, std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    // The room was made for the size the header declared when the file was first read.
    if (h != rows.size() || size_t(w) * h != pixels.size() || keyedByOwnRules(png, info))
        return false;
    setTransforms(png, info);
    if (png_get_rowbytes(png, info) != size_t(w) * 4)
        return false;
    width = int(w);
    height = int(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = reinterpret_cast<png_bytep>(pixels.data() + size_t(y) * w);
    png_read_image(png, rows.data());
    return true;
}

} // namespace

bool readPngPixels(const std::string& path, int& width, int& height,
                   std::vector<uint32_t>& pixels) {
    std::string problem;
    std::FILE* file = openRegularFile(path, problem);
    bool read = false;
    if (file) {
        // The size the header declares, to make room before decoding.
        const ImageHeader header = readImageHeader(file);
        const png_uint_32 w = header.width, h = header.height;
        std::string warnings;
        png_structp png =
            header.known && w > 0 && h > 0 && w <= png_uint_32(maxPngPixelsSide) &&
                    h <= png_uint_32(maxPngPixelsSide)
                ? png_create_read_struct(PNG_LIBPNG_VER_STRING, &warnings, quietError, keptWarning)
                : nullptr;
        png_infop info = png ? png_create_info_struct(png) : nullptr;
        try {
            // Storage of the same size is reused, and other storage let go before the new is
            // taken, so that a map read again is never held twice.
            if (pixels.size() != size_t(w) * size_t(h))
                std::vector<uint32_t>().swap(pixels);
            if (info) {
                pixels.resize(size_t(w) * size_t(h));
                std::vector<png_bytep> rows(h);
                read = decode(png, info, file, width, height, pixels, rows);
            }
        } catch (const std::bad_alloc&) {
            read = false;
        }
        if (png)
            png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        std::fclose(file);
        if (read)
            std::fputs(warnings.c_str(), stderr);
    }
    if (!read)
        std::vector<uint32_t>().swap(pixels);
    return read;
}
