#include "sprites/ImageSource.h"

#include <SDL_image.h>

Diagnostic unloadableImage(const std::string& path, const std::string& reason) {
    return {DiagnosticKind::Image, path, {}, "", "Unable to load image " + path + " : " + reason};
}

void reportUnloadableImage(const std::string& path, DiagnosticSink& sink) {
    sink.report(unloadableImage(path, IMG_GetError()));
}
