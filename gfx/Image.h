#pragma once

#include <string>

struct SDL_Surface;

// Loads an image file and converts it to the display's format with alpha; needs the video
// mode set. A missing or unreadable file, or a failed conversion, yields null without a
// message. The caller owns the surface.
SDL_Surface* loadImage(const std::string& path);
// The same for an image already decoded (as IMG_Load gives it), which it frees; null for
// null.
SDL_Surface* toDisplayFormat(SDL_Surface* loaded);

// Writes the one line that names an image that could not be loaded and SDL_image's reason:
// "Unable to load image <path> : <reason>".
void reportUnloadableImage(const std::string& path);
