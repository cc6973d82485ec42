#include "platform/ImageFile.h"

#include "platform/ImageHeader.h"
#include "platform/OwnedSurface.h"
#include "platform/RegularFile.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

SDL_Surface* decodeImageFile(const std::string& path, std::string& refusal, std::string& reason) {
    refusal.clear();
    reason.clear();
    std::string problem;
    std::FILE* file = openRegularFile(path, problem);
    if (!file) {
        if (problem == notRegularFile)
            refusal = problem;
        else
            reason = "Couldn't open " + path; // the image library's own words
        return nullptr;
    }
    refusal = surfaceSizeProblem(readImageHeader(file));
    if (!refusal.empty()) {
        std::fclose(file);
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(file, 1);
    if (!source) {
        reason = SDL_GetError();
        std::fclose(file);
        return nullptr;
    }
    // The extension is the library's hint for formats without a signature, as when it opens
    // the file itself.
    const size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    SDL_Surface* image =
        IMG_LoadTyped_RW(source, 1, dot == std::string::npos ? nullptr : &extension[0]);
    // The library's report of its own failure, on this thread, read at once.
    if (!image)
        reason = IMG_GetError();
    return image;
}

Diagnostic refusedFile(const std::string& path, const std::string& refusal) {
    return {DiagnosticKind::Image, path, {}, path + ": ", refusal};
}

SDL_Surface* readImage(const std::string& path, std::string* reason, DiagnosticSink& sink) {
    std::string refusal;
    std::string why;
    SDL_Surface* image = decodeImageFile(path, refusal, why);
    if (!refusal.empty())
        sink.report(refusedFile(path, refusal));
    if (reason)
        *reason = std::move(why);
    return image;
}

SDL_Surface* loadImage(const std::string& path, std::string* reason) {
    SDL_Surface* image = readImage(path, reason);
    const bool decoded = image != nullptr;
    SDL_Surface* converted = toDisplayFormat(image);
    // SDL's own report of the conversion it just failed.
    if (decoded && !converted && reason)
        *reason = SDL_GetError();
    return converted;
}

SDL_Surface* toDisplayFormat(SDL_Surface* loaded) {
    const OwnedSurface image(loaded);
    return image ? SDL_DisplayFormatAlpha(image.get()) : nullptr;
}
