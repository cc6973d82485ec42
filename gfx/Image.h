#pragma once

#include <string>

struct SDL_Surface;

// Decodes an image file as the image library gives it, unconverted. A file that is no
// regular file (a FIFO, a device, a folder) or a PNG larger than an image surface holds is
// refused before decoding, with one line on standard error naming it, and sets `*refused`.
// Other failures yield null silently and leave SDL's error text. The caller owns the surface.
SDL_Surface* readImage(const std::string& path, bool* refused = nullptr);

// Loads an image file and converts it to the display's format with alpha; needs the video
// mode set. A missing or unreadable file, or a failed conversion, yields null without a
// message; a refused file as readImage. The caller owns the surface.
SDL_Surface* loadImage(const std::string& path, bool* refused = nullptr);

// The same conversion for an image already decoded (as readImage gives it), which it frees;
// null for null.
SDL_Surface* toDisplayFormat(SDL_Surface* loaded);

// Writes the one line that names an image that could not be loaded and SDL_image's reason:
// "Unable to load image <path> : <reason>".
void reportUnloadableImage(const std::string& path);
