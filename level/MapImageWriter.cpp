#include "level/MapImageWriter.h"

#include "level/MapKindChoice.h"
#include "level/PngByteOrder.h"

#include <png.h>
#include <unordered_map>

namespace {

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

int pngColourType(MapColourType type) {
    switch (type) {
    case MapColourType::Grey:
        return PNG_COLOR_TYPE_GRAY;
    case MapColourType::GreyAlpha:
        return PNG_COLOR_TYPE_GRAY_ALPHA;
    case MapColourType::Palette:
        return PNG_COLOR_TYPE_PALETTE;
    case MapColourType::Rgb:
        return PNG_COLOR_TYPE_RGB;
    case MapColourType::Rgba:
        break;
    }
    return PNG_COLOR_TYPE_RGBA;
}

// Turns rows of pixels into the samples of one kind, a row at a time. A palette's indices
// and grey levels under 8 bits go one a byte; libpng packs them.
class RowSamples {
  public:
    RowSamples(const MapImage& image, const MapImage::Kind& kind) : image_(image), kind_(kind) {
        const int channels[] = {1, 2, 3, 4, 1}; // by MapColourType
        bytes_.resize(size_t(image.width) * size_t(channels[int(kind.type)]));
        for (size_t i = 0; i < kind.palette.size(); ++i)
            index_.emplace(kind.palette[i], png_byte(i));
        if (kind.type == MapColourType::Grey && kind.bitDepth < 8)
            greyStep_ = 255 / ((1 << kind.bitDepth) - 1);
    }

    // Null when a pixel's colour is not in the palette.
    png_bytep row(int y) {
        const uint32_t* pixels = image_.pixels.data() + size_t(y) * size_t(image_.width);
        // The pixels themselves, in the byte order libpng was given.
        if (kind_.type == MapColourType::Rgba)
            return reinterpret_cast<png_bytep>(const_cast<uint32_t*>(pixels));
        png_bytep out = bytes_.data();
        for (int x = 0; x < image_.width; ++x) {
            const uint32_t pixel = pixels[x];
            const png_byte alpha = png_byte(pixel >> 24), red = png_byte(pixel >> 16),
                           green = png_byte(pixel >> 8), blue = png_byte(pixel);
            switch (kind_.type) {
            case MapColourType::Grey:
                *out++ = png_byte(blue / greyStep_);
                break;
            case MapColourType::GreyAlpha:
                *out++ = blue;
                *out++ = alpha;
                break;
            case MapColourType::Rgb:
                *out++ = red;
                *out++ = green;
                *out++ = blue;
                break;
            default:
                if (!paletteIndex(pixel, *out++))
                    return nullptr;
            }
        }
        return bytes_.data();
    }

  private:
    bool paletteIndex(uint32_t pixel, png_byte& index) {
        if (pixel != lastColour_ || !anyColour_) {
            const auto found = index_.find(pixel);
            if (found == index_.end())
                return false;
            anyColour_ = true;
            lastColour_ = pixel;
            lastIndex_ = found->second;
        }
        index = lastIndex_;
        return true;
    }

    const MapImage& image_;
    const MapImage::Kind& kind_;
    std::vector<png_byte> bytes_;
    std::unordered_map<uint32_t, png_byte> index_;
    int greyStep_ = 1;
    bool anyColour_ = false;
    uint32_t lastColour_ = 0;
    png_byte lastIndex_ = 0;
};

// The kind's header chunks: IHDR, PLTE and tRNS, and the text.
void writeHeader(png_structp png, png_infop info, const MapImage& image, const MapImage::Kind& kind,
                 std::vector<png_color>& entries, std::vector<png_byte>& alpha,
                 std::vector<png_text>& text) {
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), kind.bitDepth,
                 pngColourType(kind.type), PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (kind.type == MapColourType::Palette) {
        for (const uint32_t colour : kind.palette) {
            entries.push_back({png_byte(colour >> 16), png_byte(colour >> 8), png_byte(colour)});
            alpha.push_back(png_byte(colour >> 24));
        }
        while (!alpha.empty() && alpha.back() == 0xFF)
            alpha.pop_back();
        png_set_PLTE(png, info, entries.data(), int(entries.size()));
        if (!alpha.empty())
            png_set_tRNS(png, info, alpha.data(), int(alpha.size()), nullptr);
    }
    for (const MapTextChunk& chunk : kind.text) {
        png_text entry = {};
        entry.compression =
            chunk.international
                ? (chunk.compressed ? PNG_ITXT_COMPRESSION_zTXt : PNG_ITXT_COMPRESSION_NONE)
                : (chunk.compressed ? PNG_TEXT_COMPRESSION_zTXt : PNG_TEXT_COMPRESSION_NONE);
        entry.key = const_cast<char*>(chunk.key.c_str());
        entry.text = const_cast<char*>(chunk.text.c_str());
        entry.text_length = chunk.text.size();
        entry.lang = const_cast<char*>(chunk.language.c_str());
        entry.lang_key = const_cast<char*>(chunk.translatedKey.c_str());
        text.push_back(entry);
    }
    if (!text.empty())
        png_set_text(png, info, text.data(), int(text.size()));
    png_write_info(png, info);
    if (kind.bitDepth < 8)
        png_set_packing(png);
    if (kind.type == MapColourType::Rgba)
        setPixelByteOrder(png);
}

// The whole write, apart so that nothing with a destructor lives between setjmp and longjmp.
bool encode(png_structp png, png_infop info, const MapImage& image, const MapImage::Kind& kind,
            RowSamples& samples, std::vector<png_color>& entries, std::vector<png_byte>& alpha,
            std::vector<png_text>& text) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    writeHeader(png, info, image, kind, entries, alpha, text);
    for (int y = 0; y < image.height; ++y) {
        const png_bytep row = samples.row(y);
        if (!row)
            png_error(png, "a colour not in the palette");
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

Diagnostic note(const std::string& path, const std::string& text) {
    return {DiagnosticKind::Image, path, {}, path + ": ", text};
}

std::string listed(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

} // namespace

std::string encodeMapImage(std::FILE* file, const MapImage& image, const MapImage::Kind& kind) {
    std::string reason;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(png ? &png : nullptr, nullptr);
        return "out of memory";
    }
    png_init_io(png, file);
    // Maps are flat areas whose rows repeat: the "up" filter alone finds that, and a light
    // deflate keeps a 4,096 by 4,096 save a third of a second (bench/MapSaveBench).
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 3);
    RowSamples samples(image, kind);
    std::vector<png_color> entries;
    std::vector<png_byte> alpha;
    std::vector<png_text> text;
    const bool written = encode(png, info, image, kind, samples, entries, alpha, text);
    png_destroy_write_struct(&png, &info);
    if (written)
        return "";
    return reason.empty() ? "cannot encode the image" : reason;
}

bool saveMapImage(const std::string& path, MapImage& image, const FileReplacement::Rules& rules,
                  DiagnosticSink& sink, std::string& problem) {
    MapImage::Kind kind = savedKind(image);
    FileReplacement replacement(path, rules);
    if (!replacement.write([&](std::FILE* file) { return encodeMapImage(file, image, kind); })) {
        problem = replacement.problem();
        return false;
    }
    problem.clear();
    if (image.kind.bitDepth == 16)
        sink.report(note(path, "a 16-bit map, saved at 8 bits"));
    if (!image.kind.colourManagement.empty())
        sink.report(note(path, "colour-management chunks dropped (" +
                                   listed(image.kind.colourManagement) +
                                   "): markers are raw sample values"));
    if (!replacement.note().empty())
        sink.report(note(path, replacement.note()));
    image.kind = std::move(kind);
    return true;
}
