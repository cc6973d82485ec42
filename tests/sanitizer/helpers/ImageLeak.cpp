// Loads the image named on the command line with SDL_image and never frees it: a leak made
// through SDL, which the leak checks must report.
#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

int main(int argc, char** argv) {
    SDL_Surface* image = argc > 1 ? IMG_Load(argv[1]) : nullptr;
    if (!image) {
        std::fprintf(stderr, "cannot load %s: %s\n", argc > 1 ? argv[1] : "(nothing)",
                     IMG_GetError());
        return 2;
    }
    std::fprintf(stderr, "loaded %d by %d\n", image->w, image->h);
    return 0;
}
