#pragma once

#include <cstdint>
#include <string>

// What reading one swatch image found: its marker colour (the top-left pixel in the display
// layout, as the viewer reads it) and how many of its pixels are of another colour.
struct SwatchReading {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string reason; // why an existing file could not be read (SDL_image's words)
    uint32_t colour = 0;
    long pixels = 0;
    long differing = 0; // pixels whose 32-bit value is not the top-left one
};

struct SDL_Surface;

// Decodes a level image (a map) as the image library gives it, on a thread that decodes while
// no other writes on standard error. A file that is no regular file is refused unopened, and
// a PNG larger than an image surface holds before it is decoded. Null on failure with `reason`
// set ("it is a folder", "not a regular file", the size, or the library's words: the last
// line it printed meanwhile, else the image library's reason). The caller owns the surface.
SDL_Surface* decodeLevelImage(const std::string& file, std::string& reason);
struct DecodedImage;

// Reads the image at `file` from what decoding it gave (whose surface it frees); never fails:
// a missing file or one that is no readable image is told by the status, with the last line
// the image library printed as the reason when it printed one.
SwatchReading readSwatch(const std::string& file, DecodedImage& decoded);
