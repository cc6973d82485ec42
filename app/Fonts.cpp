#include "app/Fonts.h"

#include "gfx/Renderer.h"
#include "platform/DataFolder.h"
#include "platform/ImageFile.h"
#include "sprites/ImageSource.h"

#include <string>

void Fonts::load() {
    reload(false);
    reload(true);
}

void Fonts::reload(bool small) {
    const char* path = small ? smallFontPath : bigFontPath;
    const std::string file = findDataFile(path);
    bool refused = false;
    SDL_Surface* image = readImage(file, &refused);
    // The upload's own lines (scaled down, refused by GL) come first, as they always did.
    if (Renderer::get().setFontImage(small, image, file) == 0 && !refused)
        reportUnloadableImage(path);
}
