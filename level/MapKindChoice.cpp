#include "level/MapKindChoice.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr uint32_t opaque = 0xFF000000u;

bool isOpaque(uint32_t pixel) {
    return (pixel & opaque) == opaque;
}

bool isGrey(uint32_t pixel) {
    const uint32_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return red == green && green == blue;
}

// What the pixels hold, in one pass: each test stops counting once it has failed.
struct Survey {
    bool allOpaque = true;
    bool allGrey = true;
    int greyDepth = 1; // the least bit depth whose levels hold every grey value
};

// The sample step of a grey bit depth under 8: its levels are multiples of it.
int greyStep(int depth) {
    return 255 / ((1 << depth) - 1);
}

Survey survey(const std::vector<uint32_t>& pixels) {
    Survey found;
    uint32_t last = pixels.empty() ? 0 : ~pixels.front(); // differs from the first pixel
    for (const uint32_t pixel : pixels) {
        if (pixel == last)
            continue;
        last = pixel;
        found.allOpaque = found.allOpaque && isOpaque(pixel);
        found.allGrey = found.allGrey && isGrey(pixel);
        while (found.greyDepth < 8 && int(pixel & 0xFF) % greyStep(found.greyDepth) != 0)
            found.greyDepth *= 2;
        if (!found.allOpaque && !found.allGrey)
            break;
    }
    return found;
}

// The least palette bit depth at or above `depth` that indexes `entries` entries.
int paletteDepth(int depth, size_t entries) {
    while (depth < 8 && entries > (size_t(1) << depth))
        depth *= 2;
    return depth;
}

// The palette holding every colour of `pixels`: the old entries in place, new colours after
// them, then in the slots of unused entries. False when more than 256 colours are used.
bool extendPalette(const std::vector<uint32_t>& pixels, std::vector<uint32_t>& palette) {
    std::unordered_map<uint32_t, size_t> index;
    for (size_t i = 0; i < palette.size(); ++i)
        index.emplace(palette[i], i);
    std::vector<bool> used(palette.size(), false);
    std::vector<uint32_t> added;
    uint32_t last = 0;
    bool any = false;
    for (const uint32_t pixel : pixels) {
        if (any && pixel == last)
            continue;
        any = true;
        last = pixel;
        const auto found = index.find(pixel);
        if (found != index.end()) {
            if (found->second < used.size())
                used[found->second] = true;
            continue;
        }
        index.emplace(pixel, palette.size() + added.size());
        added.push_back(pixel);
        if (added.size() > 256)
            return false;
    }
    size_t usedCount = size_t(std::count(used.begin(), used.end(), true));
    if (usedCount + added.size() > 256)
        return false;
    size_t next = 0;
    for (const uint32_t colour : added) {
        if (palette.size() < 256) {
            palette.push_back(colour);
            continue;
        }
        while (used[next])
            ++next;
        palette[next] = colour;
        used[next] = true;
    }
    return true;
}

} // namespace

MapImage::Kind savedKind(const MapImage& image) {
    const MapImage::Kind& was = image.kind;
    MapImage::Kind kind;
    kind.text = was.text;
    if (was.type == MapColourType::Rgba)
        return kind;
    if (was.type == MapColourType::Palette) {
        std::vector<uint32_t> palette = was.palette;
        if (extendPalette(image.pixels, palette)) {
            kind.type = MapColourType::Palette;
            kind.bitDepth = paletteDepth(std::min(was.bitDepth, 8), palette.size());
            kind.palette = std::move(palette);
            return kind;
        }
    }
    const Survey found = survey(image.pixels);
    if (was.type == MapColourType::Grey && found.allGrey && found.allOpaque) {
        kind.type = MapColourType::Grey;
        kind.bitDepth = std::max(std::min(was.bitDepth, 8), found.greyDepth);
    } else if ((was.type == MapColourType::Grey || was.type == MapColourType::GreyAlpha) &&
               found.allGrey) {
        kind.type = MapColourType::GreyAlpha;
    } else {
        kind.type = found.allOpaque ? MapColourType::Rgb : MapColourType::Rgba;
    }
    return kind;
}
