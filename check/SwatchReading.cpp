#include "check/SwatchReading.h"

#include "level/ImagePrefetch.h"
#include "level/SwatchColor.h"
#include "platform/ImageFile.h"
#include "platform/LibraryOutput.h"
#include "platform/OwnedSurface.h"
#include "platform/PathStatus.h"

#include <SDL.h>
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

// The words of the last line a library wrote while the image was decoded (libpng's error
// comes before the image library's own report of it); `fallback` when it wrote none.
std::string libraryReason(const std::vector<Diagnostic>& library, const std::string& fallback) {
    for (auto line = library.rbegin(); line != library.rend(); ++line) {
        if (!line->written().empty())
            return line->text.empty() ? fallback : line->text;
    }
    return fallback;
}

} // namespace

SDL_Surface* decodeLevelImage(const std::string& file, std::string& reason) {
    if (pathStatus(file).folder) {
        reason = "it is a folder";
        return nullptr;
    }
    std::string refusal;
    std::string why;
    DiagnosticList library;
    SDL_Surface* image = nullptr;
    {
        LibraryOutput output(LibraryOutput::Scope::Process);
        image = decodeImageFile(file, refusal, why);
        output.report(file, library);
    }
    // Only a failure needs to know why.
    if (!image)
        reason = refusal.empty() ? libraryReason(library.items, why) : refusal;
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
                             : libraryReason(decoded.library, decoded.reason);
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
