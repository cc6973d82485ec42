#include "gfx/TextureFit.h"

#include <SDL_video.h>
#include <algorithm>
#include <cmath>
#include <cstring>

int textureSide(int side) {
    int result = 1;
    while (result < side)
        result *= 2;
    return result;
}

// Whether a freshly decoded image already holds its pixels as the texture stores them: 32
// bits in texel order with alpha, no colour key, no surface-wide alpha. Converting such an
// image to the display's format and copying it back gives the same bytes, so it can be
// uploaded as it is.
bool inTexelLayout(const SDL_Surface* image) {
    const SDL_PixelFormat* format = image->format;
    return format->BitsPerPixel == 32 && format->Rmask == texelMasks[0] &&
           format->Gmask == texelMasks[1] && format->Bmask == texelMasks[2] &&
           format->Amask == texelMasks[3] && !(image->flags & SDL_SRCCOLORKEY) &&
           format->alpha == SDL_ALPHA_OPAQUE && image->pitch >= image->w * 4;
}

TextureFit TextureFit::of(int w, int h, int maxSide, long long budget) {
    TextureFit fit = {w, h, textureSide(w), textureSide(h), false};
    if (fit.tw <= maxSide && fit.th <= maxSide && (long long)fit.tw * fit.th <= budget)
        return fit;
    double best = 0;
    for (long long tw = 1; tw <= maxSide; tw *= 2) {
        long long th = 1;
        while (th * 2 <= maxSide && tw * th * 2 <= budget)
            th *= 2;
        best = std::max(best, std::min({1.0, double(tw) / w, double(th) / h}));
    }
    // w * best and h * best are at most powers of two, so rounding stays within them.
    fit.w = std::clamp(int(std::lround(w * best)), 1, w);
    fit.h = std::clamp(int(std::lround(h * best)), 1, h);
    fit.tw = textureSide(fit.w);
    fit.th = textureSide(fit.h);
    fit.scaled = true;
    return fit;
}

namespace {

// Texel bytes (red, green, blue, alpha) of one pixel of any surface; colour-keyed pixels
// become transparent black, like the padding.
void texelOf(const SDL_Surface* image, const uint8_t* pixel, uint8_t* texel) {
    const int bytes = image->format->BytesPerPixel;
    Uint32 value = 0;
    if (bytes == 1) {
        value = pixel[0];
    } else if (bytes == 2) {
        Uint16 word;
        std::memcpy(&word, pixel, 2); // rows need not be aligned
        value = word;
    } else if (bytes == 3) {
        value = SDL_BYTEORDER == SDL_LIL_ENDIAN
                    ? Uint32(pixel[0]) | Uint32(pixel[1]) << 8 | Uint32(pixel[2]) << 16
                    : Uint32(pixel[2]) | Uint32(pixel[1]) << 8 | Uint32(pixel[0]) << 16;
    } else {
        std::memcpy(&value, pixel, 4);
    }
    if ((image->flags & SDL_SRCCOLORKEY) && value == image->format->colorkey) {
        std::memset(texel, 0, 4);
        return;
    }
    SDL_GetRGBA(value, image->format, &texel[0], &texel[1], &texel[2], &texel[3]);
}

} // namespace

// Sampled straight into the padded buffer, so that neither the whole image converted nor its
// full-size texture is ever held.
std::unique_ptr<uint8_t[]> scaledTexels(SDL_Surface* image, const TextureFit& fit) {
    const size_t rowBytes = size_t(fit.w) * 4;
    const size_t textureRowBytes = size_t(fit.tw) * 4;
    std::unique_ptr<uint8_t[]> texels(new uint8_t[textureRowBytes * size_t(fit.th)]);
    // Palette images (the usual huge ones) look each index up once.
    uint8_t byIndex[256][4];
    const int bytes = image->format->BytesPerPixel;
    if (bytes == 1) {
        for (int i = 0; i < 256; ++i) {
            // A whole pixel's room, though one byte is read: an optimiser that cannot tell the
            // pixel size here would otherwise warn of reads past it.
            const uint8_t index[4] = {uint8_t(i), 0, 0, 0};
            texelOf(image, index, byIndex[i]);
        }
    }
    SDL_LockSurface(image);
    const auto* pixels = static_cast<const uint8_t*>(image->pixels);
    for (int y = 0; y < fit.h; ++y) {
        const long long sourceY = (2LL * y + 1) * image->h / (2LL * fit.h);
        const uint8_t* sourceRow = pixels + size_t(sourceY) * size_t(image->pitch);
        uint8_t* row = texels.get() + size_t(y) * textureRowBytes;
        for (int x = 0; x < fit.w; ++x) {
            const size_t sourceX = size_t((2LL * x + 1) * image->w / (2LL * fit.w));
            if (bytes == 1)
                std::memcpy(row + size_t(x) * 4, byIndex[sourceRow[sourceX]], 4);
            else
                texelOf(image, sourceRow + sourceX * size_t(bytes), row + size_t(x) * 4);
        }
        std::memset(row + rowBytes, 0, textureRowBytes - rowBytes);
    }
    SDL_UnlockSurface(image);
    std::memset(texels.get() + size_t(fit.h) * textureRowBytes, 0,
                size_t(fit.th - fit.h) * textureRowBytes);
    return texels;
}

std::unique_ptr<uint8_t[]> paddedTexels(SDL_Surface* image) {
    const int tw = textureSide(image->w);
    const int th = textureSide(image->h);
    const size_t rowBytes = size_t(image->w) * 4;
    const size_t textureRowBytes = size_t(tw) * 4;
    std::unique_ptr<uint8_t[]> texels(new uint8_t[textureRowBytes * size_t(th)]);
    SDL_LockSurface(image);
    const auto* pixels = static_cast<const uint8_t*>(image->pixels);
    for (int y = 0; y < image->h; ++y) {
        uint8_t* row = texels.get() + size_t(y) * textureRowBytes;
        std::memcpy(row, pixels + size_t(y) * size_t(image->pitch), rowBytes);
        std::memset(row + rowBytes, 0, textureRowBytes - rowBytes);
    }
    SDL_UnlockSurface(image);
    std::memset(texels.get() + size_t(image->h) * textureRowBytes, 0,
                size_t(th - image->h) * textureRowBytes);
    return texels;
}
