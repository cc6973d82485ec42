#pragma once

#include <memory>

struct SDL_Surface;

// Frees a surface through SDL (one reference of it, when it has several).
struct SurfaceRelease {
    void operator()(SDL_Surface* surface) const;
};

// An SDL surface owned where it is made: freed once on every way out of its scope; release()
// hands it on. It holds no SDL header, so a program's file holding `main` may include it
// (SDL's header renames `main` on Windows).
using OwnedSurface = std::unique_ptr<SDL_Surface, SurfaceRelease>;
