#include "gfx/Image.h"

#include "platform/ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

SDL_Surface* readImage(const std::string& path, bool* refused) {
    std::string refusal;
    SDL_Surface* image = decodeImageFile(path, refusal);
    if (!refusal.empty())
        reportRefusedFile(path, refusal);
    if (refused)
        *refused = !refusal.empty();
    return image;
}

SDL_Surface* loadImage(const std::string& path, bool* refused) {
    return toDisplayFormat(readImage(path, refused));
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
