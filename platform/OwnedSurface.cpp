#include "platform/OwnedSurface.h"

#include <SDL.h>

void SurfaceRelease::operator()(SDL_Surface* surface) const {
    SDL_FreeSurface(surface);
}
