#include "platform/ImageFile.h"

#include "platform/ImageHeader.h"
#include "platform/OwnedSurface.h"
#include "platform/RegularFile.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

SDL_Surface* decodeImageFile(const std::string& path, std::string& refusal) {
    refusal.clear();
    std::string problem;
    std::FILE* file = openRegularFile(path, problem);
    if (!file) {
        if (problem == notRegularFile)
            refusal = problem;
        else
            SDL_SetError("Couldn't open %s", path.c_str()); // the image library's own words
        return nullptr;
    }
    refusal = surfaceSizeProblem(readImageHeader(file));
    if (!refusal.empty()) {
        std::fclose(file);
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

Diagnostic refusedFile(const std::string& path, const std::string& refusal) {
    return {DiagnosticKind::Image, path, {}, path + ": ", refusal};
}

SDL_Surface* readImage(const std::string& path, bool* refused, DiagnosticSink& sink) {
    std::string refusal;
    SDL_Surface* image = decodeImageFile(path, refusal);
    if (!refusal.empty())
        sink.report(refusedFile(path, refusal));
    if (refused)
        *refused = !refusal.empty();
    return image;
}

SDL_Surface* loadImage(const std::string& path, bool* refused) {
    return toDisplayFormat(readImage(path, refused));
}

SDL_Surface* toDisplayFormat(SDL_Surface* loaded) {
    const OwnedSurface image(loaded);
    return image ? SDL_DisplayFormatAlpha(image.get()) : nullptr;
}
