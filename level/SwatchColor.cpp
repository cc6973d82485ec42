#include "level/SwatchColor.h"

#include "platform/OwnedSurface.h"

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

SDL_Surface* convertRowsToDisplayLayout(SDL_Surface* image, int firstRow, int rows) {
    if (!image || firstRow < 0 || rows <= 0 || firstRow + rows > image->h)
        return nullptr;
    // A view of the band that shares the image's pixels, palette, colour key and alpha
    // setting, so that converting it gives exactly the rows of the whole conversion.
    SDL_LockSurface(image);
    const SDL_PixelFormat* format = image->format;
    const OwnedSurface band(SDL_CreateRGBSurfaceFrom(
        static_cast<Uint8*>(image->pixels) + size_t(firstRow) * image->pitch, image->w, rows,
        format->BitsPerPixel, image->pitch, format->Rmask, format->Gmask, format->Bmask,
        format->Amask));
    SDL_Surface* converted = nullptr;
    if (band) {
        if (format->palette && band->format->palette)
            SDL_SetColors(band.get(), format->palette->colors, 0, format->palette->ncolors);
        if (image->flags & SDL_SRCCOLORKEY)
            SDL_SetColorKey(band.get(), SDL_SRCCOLORKEY, format->colorkey);
        SDL_SetAlpha(band.get(), image->flags & SDL_SRCALPHA, format->alpha);
        converted = convertToDisplayLayout(band.get());
    }
    SDL_UnlockSurface(image);
    return converted;
}
