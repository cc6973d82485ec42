#include "app/TextureSamples.h"

#include "app/BoxFilter.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "sprites/AnimatedSprite.h"

#include <SDL.h>
#include <algorithm>
#include <optional>
#include <string>
#include <typeinfo>

namespace {

// The mean colour of an image file's pixels that are not fully transparent, opaque; none
// when the file cannot be read or has no such pixel.
std::optional<uint32_t> averageOfFile(const std::string& path) {
    const OwnedSurface image(loadImage(path));
    if (!image)
        return std::nullopt;
    uint64_t sum[3] = {0, 0, 0}, count = 0;
    SDL_LockSurface(image.get());
    for (int y = 0; y < image->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < image->w; ++x) {
            if ((row[x] >> 24) == 0)
                continue;
            for (int c = 0; c < 3; ++c)
                sum[c] += (row[x] >> (16 - 8 * c)) & 0xFF;
            ++count;
        }
    }
    SDL_UnlockSurface(image.get());
    if (count == 0)
        return std::nullopt;
    return 0xFF000000u | uint32_t(sum[0] / count) << 16 | uint32_t(sum[1] / count) << 8 |
           uint32_t(sum[2] / count);
}

// The image file a texture's cells show: its own, or an animation's first frame's; "" for a
// texture drawn through parts of its own.
std::string imageFileOf(Sprite* sprite) {
    if (auto* animation = dynamic_cast<AnimatedSprite*>(sprite)) {
        for (const AnimationFrame& frame : animation->frames) {
            if (frame.sprite)
                return imageFileOf(frame.sprite);
        }
        return "";
    }
    return typeid(*sprite) == typeid(Sprite) ? sprite->getName() : "";
}

} // namespace

uint32_t averageColour(Sprite* texture, uint32_t fallback) {
    const std::string file = imageFileOf(texture);
    if (file.empty())
        return fallback;
    return averageOfFile(file).value_or(fallback);
}

std::vector<uint32_t> sampledImage(Sprite* texture, int side) {
    const std::string path = imageFileOf(texture);
    OwnedSurface image(path.empty() ? nullptr : loadImage(path));
    if (!image)
        return {};
    const int w = std::min(image->w, side), h = std::min(image->h, side);
    SDL_LockSurface(image.get());
    const std::vector<uint32_t> reduced = boxFilter(static_cast<const uint32_t*>(image->pixels),
                                                    image->w, image->h, image->pitch / 4, w, h);
    SDL_UnlockSurface(image.get());
    image.reset(); // the file's pixels go before the samples are made
    std::vector<uint32_t> samples;
    for (int y = 0; y < side && !reduced.empty(); ++y) {
        for (int x = 0; x < side; ++x)
            samples.push_back(reduced[size_t(y * h / side * w + x * w / side)]);
    }
    return samples;
}
