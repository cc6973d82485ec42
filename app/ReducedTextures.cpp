#include "app/ReducedTextures.h"

#include "app/BoxFilter.h"
#include "gfx/Renderer.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "sprites/Sprite.h"

#include <SDL.h>
#include <algorithm>
#include <cstring>

namespace {

// The image file read again and reduced for a `side` cell; empty when it fits or cannot be
// read. The file's surface is freed before the reduced pixels get a surface of their own.
std::vector<uint32_t> reducedFile(const std::string& path, int side, int& w, int& h) {
    const OwnedSurface file(loadImage(path));
    if (!file)
        return {};
    SDL_LockSurface(file.get());
    std::vector<uint32_t> pixels = ReducedTextures::reduced(
        static_cast<const uint32_t*>(file->pixels), file->w, file->h, file->pitch / 4, side, w, h);
    SDL_UnlockSurface(file.get());
    return pixels;
}

} // namespace

std::vector<uint32_t> ReducedTextures::reduced(const uint32_t* pixels, int width, int height,
                                               int pitch, int side, int& toWidth, int& toHeight) {
    toWidth = std::min(width, side);
    toHeight = std::min(height, side);
    if (toWidth == width && toHeight == height)
        return {};
    return boxFilter(pixels, width, height, pitch, toWidth, toHeight);
}

const ReducedTextures::Copy& ReducedTextures::of(Sprite* image, int side) {
    if (side != side_) {
        forget();
        side_ = side;
    }
    const auto found = copies_.find(image);
    if (found != copies_.end())
        return found->second;
    Copy& copy = copies_[image];
    const Rect size = image->madeSize();
    if (size.w <= side && size.h <= side)
        return copy;
    int w = 0, h = 0;
    const std::vector<uint32_t> pixels = reducedFile(image->getName(), side, w, h);
    const OwnedSurface surface(pixels.empty()
                                   ? nullptr
                                   : SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000u,
                                                          0x0000FF00u, 0x000000FFu, 0xFF000000u));
    if (!surface)
        return copy;
    SDL_LockSurface(surface.get());
    for (int y = 0; y < h; ++y)
        std::memcpy(static_cast<uint8_t*>(surface->pixels) + size_t(y) * size_t(surface->pitch),
                    pixels.data() + size_t(y) * size_t(w), size_t(w) * 4);
    SDL_UnlockSurface(surface.get());
    copy.texture = Renderer::get().upload(surface.get(), copy.window, {image->getName()});
    return copy;
}

void ReducedTextures::forget() {
    for (auto& [image, copy] : copies_) {
        (void)image;
        Renderer::get().glDeleteTextures(1, &copy.texture); // name 0 is ignored
    }
    copies_.clear();
}
