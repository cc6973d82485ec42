#include "check/SwatchReading.h"

#include "check/StderrCapture.h"
#include "level/ImagePrefetch.h"
#include "level/SwatchColor.h"

#include <SDL.h>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

long countDiffering(SDL_Surface* surface, uint32_t colour) {
    long differing = 0;
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(
            static_cast<const Uint8*>(surface->pixels) + size_t(y) * surface->pitch);
        for (int x = 0; x < surface->w; ++x)
            differing += row[x] != colour;
    }
    SDL_UnlockSurface(surface);
    return differing;
}

} // namespace

SwatchReading readSwatch(const std::string& file, DecodedImage& decoded) {
    SwatchReading reading;
    SDL_Surface* image = decoded.image;
    decoded.image = nullptr;
    if (!image) {
        // Only a failure needs to know why: a missing file, a folder, or no image.
        struct stat info;
        if (stat(file.c_str(), &info) != 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                return reading;
            reading.status = SwatchReading::Status::Unreadable;
            reading.reason = std::strerror(errno);
            return reading;
        }
        reading.status = SwatchReading::Status::Unreadable;
        reading.reason = S_ISDIR(info.st_mode)
                             ? std::string("it is a folder")
                             : StderrCapture::reasonFrom(decoded.printed, decoded.reason);
        return reading;
    }
    SDL_Surface* converted = convertToDisplayLayout(image);
    SDL_FreeSurface(image);
    const std::optional<uint32_t> colour = topLeftPixel(converted);
    if (!colour) {
        reading.status = SwatchReading::Status::Unreadable;
        reading.reason = converted ? "it has no pixels" : SDL_GetError();
        SDL_FreeSurface(converted);
        return reading;
    }
    reading.status = SwatchReading::Status::Read;
    reading.colour = *colour;
    reading.pixels = long(converted->w) * converted->h;
    reading.differing = countDiffering(converted, *colour);
    SDL_FreeSurface(converted);
    return reading;
}
