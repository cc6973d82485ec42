// Loads the image named on the command line with SDL_image and never frees it: a leak made
// through SDL, which the leak checks must report. The surface is dropped unreachable on purpose
// (Unreachable.h), so that the report does not depend on what the machine leaves on the stack.
#include "Unreachable.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

namespace {

int status = 0;

// Loads the image and drops it; only its size leaves this function.
[[gnu::noinline]] void loadAndDrop(const char* path) {
    SDL_Surface* image = IMG_Load(path);
    if (!image) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, IMG_GetError());
        status = 2;
        return;
    }
    const int width = image->w, height = image->h;
    image = nullptr;
    std::fprintf(stderr, "loaded %d by %d\n", width, height);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s IMAGE\n", argv[0]);
        return 2;
    }
    unreachable::run(loadAndDrop, static_cast<const char*>(argv[1]));
    return status;
}
