#include "gfx/Image.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

SDL_Surface* loadImage(const std::string& path) {
    return toDisplayFormat(IMG_Load(path.c_str()));
}

SDL_Surface* toDisplayFormat(SDL_Surface* loaded) {
    if (!loaded)
        return nullptr;
    SDL_Surface* converted = SDL_DisplayFormatAlpha(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}

void reportUnloadableImage(const std::string& path) {
    std::fprintf(stderr, "Unable to load image %s : %s\n", path.c_str(), IMG_GetError());
    std::fflush(stderr);
}
