#pragma once

#include <SDL_endian.h>
#include <SDL_stdinc.h>
#include <cstdint>
#include <memory>

struct SDL_Surface;

// How an image goes into a texture with power-of-two sides, worked out and filled on the
// processor alone (no GL, no display): the size it ends with, and the texel buffer.
struct TextureFit {
    int w, h;   // the image's size in the texture
    int tw, th; // the texture's
    bool scaled;

    // The image's own size in the smallest power-of-two texture, or, when that would exceed
    // `maxSide` texels a side or `budget` texels, the largest uniform scaling of it whose
    // texture keeps within both (at least 1 by 1).
    static TextureFit of(int w, int h, int maxSide, long long budget);
};

// The smallest power of two that holds `side`, and at least 1.
int textureSide(int side);

// Texels in memory order red, green, blue, alpha, as GL_RGBA with GL_UNSIGNED_BYTE reads them.
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
constexpr Uint32 texelMasks[4] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
#else
constexpr Uint32 texelMasks[4] = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
#endif

// Whether an image already holds its pixels as the texture stores them: 32 bits in texel
// order with alpha, no colour key, no surface-wide alpha.
bool inTexelLayout(const SDL_Surface* image);

// The image sampled (nearest pixel) at the fitted size into a texture-sized buffer whose
// padding is transparent black; colour-keyed pixels become transparent black too. Any pixel
// format SDL has.
std::unique_ptr<uint8_t[]> scaledTexels(SDL_Surface* image, const TextureFit& fit);

// An image in texel layout copied row by row into a texture-sized buffer, its padding
// transparent black.
std::unique_ptr<uint8_t[]> paddedTexels(SDL_Surface* image);
