#include "check/SwatchReading.h"

#include "check/StderrCapture.h"
#include "level/SwatchColor.h"
#include "platform/ImageHeader.h"
#include "platform/RegularFile.h"

#include <SDL.h>
#include <SDL_image.h>
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

SDL_Surface* decodeLevelImage(const std::string& file, StderrCapture& capture, std::string& reason,
                              bool* missing) {
    std::string problem;
    std::FILE* opened = openRegularFile(file, problem);
    if (!opened) {
        struct stat info;
        const bool exists = stat(file.c_str(), &info) == 0;
        if (missing)
            *missing = !exists && (errno == ENOENT || errno == ENOTDIR);
        if (exists && S_ISDIR(info.st_mode))
            reason = "it is a folder";
        else // the image library's words when it opened files itself
            reason = problem == notRegularFile ? problem : "Couldn't open " + file;
        return nullptr;
    }
    reason = surfaceSizeProblem(readImageHeader(opened));
    if (!reason.empty()) {
        std::fclose(opened);
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(opened, 1);
    if (!source) {
        std::fclose(opened);
        reason = SDL_GetError();
        return nullptr;
    }
    const long mark = capture.mark();
    SDL_Surface* image = IMG_Load_RW(source, 1);
    // Only a failure needs to know why: the library's own last line, when it printed one.
    if (!image)
        reason = StderrCapture::reasonFrom(capture.since(mark), IMG_GetError());
    return image;
}

SwatchReading readSwatch(const std::string& file, StderrCapture& capture) {
    SwatchReading reading;
    bool missing = false;
    SDL_Surface* image = decodeLevelImage(file, capture, reading.reason, &missing);
    if (!image) {
        reading.status =
            missing ? SwatchReading::Status::Missing : SwatchReading::Status::Unreadable;
        if (missing)
            reading.reason.clear();
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
