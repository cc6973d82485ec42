// Fills a table of GL entry points through SDL, pretending that the entry point named on the
// command line is missing. Every name asked for is written to standard error, one a line.
#include "gfx/GlEntryPoints.h"
#include "platform/GlLibrary.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>

namespace {

const char* missingName = "";

void* resolveAllBut(const char* name) {
    std::fprintf(stderr, "%s\n", name);
    if (std::strcmp(name, missingName) == 0)
        return nullptr;
    return SDL_GL_GetProcAddress(name);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1)
        missingName = argv[1];
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || SDL_GL_LoadLibrary(glLibraryName()) < 0) {
        std::fprintf(stderr, "cannot set up GL: %s\n", SDL_GetError());
        return 2;
    }
    std::atexit(SDL_Quit);
    GlEntryPoints table;
    table.load(resolveAllBut);
    return 0;
}
