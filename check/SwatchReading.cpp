#include "check/SwatchReading.h"

#include "check/StderrCapture.h"
#include "level/ImagePrefetch.h"
#include "level/SwatchColor.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "platform/PathStatus.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cerrno>
#include <cstring>

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

SDL_Surface* decodeLevelImage(const std::string& file, StderrCapture& capture, std::string& reason,
                              bool* missing) {
    const PathStatus status = pathStatus(file);
    if (missing)
        *missing = !status.exists && (status.error == ENOENT || status.error == ENOTDIR);
    if (status.folder) {
        reason = "it is a folder";
        return nullptr;
    }
    const long mark = capture.mark();
    std::string refusal;
    SDL_Surface* image = decodeImageFile(file, refusal);
    // Only a failure needs to know why: the library's own last line, when it printed one.
    if (!image)
        reason = refusal.empty() ? StderrCapture::reasonFrom(capture.since(mark), IMG_GetError())
                                 : refusal;
    return image;
}

SwatchReading readSwatch(const std::string& file, DecodedImage& decoded) {
    SwatchReading reading;
    OwnedSurface image(decoded.image);
    decoded.image = nullptr;
    if (!image) {
        // Only a failure needs to know why: a missing file, a folder, or no image.
        const PathStatus status = pathStatus(file);
        if (!status.exists) {
            if (status.error == ENOENT || status.error == ENOTDIR)
                return reading;
            reading.status = SwatchReading::Status::Unreadable;
            reading.reason = std::strerror(status.error);
            return reading;
        }
        reading.status = SwatchReading::Status::Unreadable;
        reading.reason = status.folder ? std::string("it is a folder")
                         : !decoded.refusal.empty()
                             ? decoded.refusal
                             : StderrCapture::reasonFrom(decoded.printed, decoded.reason);
        return reading;
    }
    const OwnedSurface converted(convertToDisplayLayout(image.get()));
    image.reset(); // the decoded pixels go before the converted ones are counted
    const std::optional<uint32_t> colour = topLeftPixel(converted.get());
    if (!colour) {
        reading.status = SwatchReading::Status::Unreadable;
        reading.reason = converted ? "it has no pixels" : SDL_GetError();
        return reading;
    }
    reading.status = SwatchReading::Status::Read;
    reading.colour = *colour;
    reading.pixels = long(converted->w) * converted->h;
    reading.differing = countDiffering(converted.get(), *colour);
    return reading;
}
