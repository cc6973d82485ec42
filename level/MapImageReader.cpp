#include "level/MapImageReader.h"

#include "level/PngByteOrder.h"
#include "platform/RegularFile.h"

#include <iterator>
#include <png.h>

namespace {

// libpng's error: its words kept, then back to the setjmp of the read.
[[noreturn]] void onError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

// Warnings (an odd colour profile, a damaged ancillary chunk) change nothing read.
void onWarning(png_structp, png_const_charp) {}

const char* colourManagementChunks[] = {"gAMA", "cHRM", "sRGB", "iCCP"};
const png_uint_32 colourManagementFlags[] = {PNG_INFO_gAMA, PNG_INFO_cHRM, PNG_INFO_sRGB,
                                             PNG_INFO_iCCP};

MapColourType colourTypeOf(int type) {
    switch (type) {
    case PNG_COLOR_TYPE_GRAY:
        return MapColourType::Grey;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return MapColourType::GreyAlpha;
    case PNG_COLOR_TYPE_PALETTE:
        return MapColourType::Palette;
    case PNG_COLOR_TYPE_RGB:
        return MapColourType::Rgb;
    default:
        return MapColourType::Rgba;
    }
}

void addText(png_structp png, png_infop info, std::vector<MapTextChunk>& text) {
    png_textp chunks = nullptr;
    const int count = png_get_text(png, info, &chunks, nullptr);
    for (int i = 0; i < count; ++i) {
        const png_text& chunk = chunks[i];
        MapTextChunk kept;
        kept.key = chunk.key;
        kept.text = chunk.text ? std::string(chunk.text, chunk.text_length ? chunk.text_length
                                                                           : chunk.itxt_length)
                               : "";
        kept.compressed = chunk.compression == PNG_TEXT_COMPRESSION_zTXt ||
                          chunk.compression == PNG_ITXT_COMPRESSION_zTXt;
        kept.international = chunk.compression == PNG_ITXT_COMPRESSION_NONE ||
                             chunk.compression == PNG_ITXT_COMPRESSION_zTXt;
        kept.language = chunk.lang ? chunk.lang : "";
        kept.translatedKey = chunk.lang_key ? chunk.lang_key : "";
        text.push_back(std::move(kept));
    }
}

// What the file is, from its header chunks; the reader set to give 8-bit samples in the
// pixels' byte order. False for a map too large.
bool readKind(png_structp png, png_infop info, MapImage& image, std::string& reason) {
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width > png_uint_32(MapImage::maxSide) || height > png_uint_32(MapImage::maxSide)) {
        reason = std::to_string(width) + "x" + std::to_string(height) + " pixels, more than " +
                 std::to_string(MapImage::maxSide) + " a side";
        return false;
    }
    image.width = int(width);
    image.height = int(height);
    const int type = png_get_color_type(png, info);
    MapImage::Kind& kind = image.kind;
    kind.type = colourTypeOf(type);
    kind.bitDepth = png_get_bit_depth(png, info);
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp entries = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &entries, &count);
        png_bytep alpha = nullptr;
        int alphaCount = 0;
        if (png_get_valid(png, info, PNG_INFO_tRNS))
            png_get_tRNS(png, info, &alpha, &alphaCount, nullptr);
        for (int i = 0; i < count; ++i)
            kind.palette.push_back(uint32_t(i < alphaCount ? alpha[i] : 0xFF) << 24 |
                                   uint32_t(entries[i].red) << 16 |
                                   uint32_t(entries[i].green) << 8 | entries[i].blue);
    }
    for (size_t i = 0; i < std::size(colourManagementChunks); ++i)
        if (png_get_valid(png, info, colourManagementFlags[i]))
            kind.colourManagement.push_back(colourManagementChunks[i]);
    addText(png, info, kind.text);

    png_set_expand(png); // palette and grey to RGB samples, transparency to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    setPixelByteOrder(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

// The whole read, apart so that nothing with a destructor lives between setjmp and longjmp.
bool decode(png_structp png, png_infop info, png_infop end, std::vector<png_bytep>& rows,
            MapImage& image, std::string& reason) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    if (!readKind(png, info, image, reason))
        return false;
    image.pixels.resize(size_t(image.width) * size_t(image.height));
    rows.resize(size_t(image.height));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = reinterpret_cast<png_bytep>(image.pixels.data() + y * size_t(image.width));
    png_read_image(png, rows.data());
    png_read_end(png, end);
    addText(png, end, image.kind.text);
    return true;
}

} // namespace

std::optional<MapImage> readMapImage(const std::string& path, std::string& reason) {
    reason.clear();
    std::FILE* file = openRegularFile(path, reason);
    if (!file)
        return std::nullopt;
    png_byte signature[8] = {};
    if (std::fread(signature, 1, sizeof signature, file) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0) {
        std::fclose(file);
        reason = "not a PNG image";
        return std::nullopt;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    png_infop end = info ? png_create_info_struct(png) : nullptr;
    if (!end) {
        png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
        std::fclose(file);
        reason = "out of memory";
        return std::nullopt;
    }
    png_set_benign_errors(png, 1);
#ifdef PNG_SKIP_sRGB_CHECK_PROFILE
    png_set_option(png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
#endif
    png_init_io(png, file);
    png_set_sig_bytes(png, sizeof signature);
    MapImage image;
    std::vector<png_bytep> rows;
    const bool read = decode(png, info, end, rows, image, reason);
    png_destroy_read_struct(&png, &info, &end);
    std::fclose(file);
    if (!read)
        return std::nullopt;
    return image;
}
