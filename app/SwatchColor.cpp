#include "app/SwatchColor.h"

#include <SDL.h>

std::optional<uint32_t> topLeftPixel(SDL_Surface* surface) {
    if (!surface || surface->w <= 0 || surface->h <= 0 || surface->format->BytesPerPixel != 4)
        return std::nullopt;
    SDL_LockSurface(surface);
    const uint32_t colour = *static_cast<const uint32_t*>(surface->pixels);
    SDL_UnlockSurface(surface);
    return colour;
}

SDL_Surface* convertToDisplayLayout(SDL_Surface* image) {
    SDL_PixelFormat format = {};
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    format.Amask = 0xFF000000u;
    format.Rmask = 0x00FF0000u;
    format.Gmask = 0x0000FF00u;
    format.Bmask = 0x000000FFu;
    format.Ashift = 24;
    format.Rshift = 16;
    format.Gshift = 8;
    format.Bshift = 0;
    format.alpha = 255;
    return SDL_ConvertSurface(image, &format, SDL_SWSURFACE | SDL_SRCALPHA);
}
