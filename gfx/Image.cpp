#include "gfx/Image.h"

#include "platform/ImageHeader.h"
#include "platform/RegularFile.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

namespace {

void refuse(const std::string& path, const std::string& problem, bool* refused) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), problem.c_str());
    std::fflush(stderr);
    if (refused)
        *refused = true;
}

} // namespace

SDL_Surface* decodeImageFile(const std::string& path, bool* refused) {
    if (refused)
        *refused = false;
    std::string problem;
    std::FILE* file = openRegularFile(path, problem);
    if (!file) {
        if (problem == notRegularFile) {
            refuse(path, problem, refused);
            return nullptr;
        }
        SDL_SetError("Couldn't open %s", path.c_str()); // the image library's own words
        return nullptr;
    }
    problem = surfaceSizeProblem(readImageHeader(file));
    if (!problem.empty()) {
        std::fclose(file);
        refuse(path, problem, refused);
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(file, 1);
    if (!source) {
        std::fclose(file);
        return nullptr;
    }
    // The extension is the library's hint for formats without a signature, as when it opens
    // the file itself.
    const size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    return IMG_LoadTyped_RW(source, 1, dot == std::string::npos ? nullptr : &extension[0]);
}

SDL_Surface* loadImage(const std::string& path, bool* refused) {
    SDL_Surface* loaded = decodeImageFile(path, refused);
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
