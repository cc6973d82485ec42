#include "app/Fonts.h"

#include "gfx/Renderer.h"
#include "platform/DataFolder.h"
#include "platform/ImageFile.h"
#include "sprites/ImageSource.h"

#include <SDL.h>
#include <string>

void Fonts::load() {
    reload(false);
    reload(true);
}

void Fonts::reload(bool small) {
    const char* path = small ? smallFontPath : bigFontPath;
    const std::string file = findDataFile(path);
    std::string reason;
    SDL_Surface* image = readImage(file, &reason);
    const bool decoded = image != nullptr;
    // The upload's own lines (scaled down, refused by GL) come first, as they always did; an
    // image that decoded but could not be uploaded gives SDL's own reason.
    if (Renderer::get().setFontImage(small, image, file) == 0 && (decoded || !reason.empty()))
        standardError().report(unloadableImage(path, decoded ? SDL_GetError() : reason));
}
