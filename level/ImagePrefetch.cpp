#include "level/ImagePrefetch.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>

namespace {

// SDL_image sets up each decoder on its first use, through shared counters; doing it once
// here, before any worker starts, leaves the workers nothing to set up.
unsigned withDecodersReady(unsigned threads) {
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP);
    return threads;
}

DecodePool::Decoded decodeForPool(const std::string& path) {
    DecodedImage image = decodeImageFile(path);
    DecodePool::Decoded decoded;
    decoded.value = image.image;
    decoded.reason = std::move(image.reason);
    if (image.image)
        decoded.bytes = sizeof(SDL_Surface) + size_t(image.image->pitch) * size_t(image.image->h);
    return decoded;
}

void releaseSurface(void* surface) {
    SDL_FreeSurface(static_cast<SDL_Surface*>(surface));
}

} // namespace

DecodedImage decodeImageFile(const std::string& path) {
    DecodedImage decoded;
    decoded.image = IMG_Load(path.c_str());
    // SDL's error string is the calling thread's own, so a worker's reason is its file's.
    if (!decoded.image)
        decoded.reason = IMG_GetError();
    return decoded;
}

ImagePrefetch::ImagePrefetch(unsigned threads)
    : pool_(decodeForPool, releaseSurface, withDecodersReady(threads), budgetBytes) {}

void ImagePrefetch::request(const std::string& path) {
    pool_.request(path);
}

void ImagePrefetch::requestNext(const std::vector<std::string>& paths) {
    pool_.requestNext(paths);
}

DecodedImage ImagePrefetch::take(const std::string& path) {
    DecodePool::Decoded decoded = pool_.take(path);
    return {static_cast<SDL_Surface*>(decoded.value), std::move(decoded.reason),
            std::move(decoded.printed)};
}

SDL_Surface* ImagePrefetch::load(const std::string& path) {
    const DecodedImage decoded = take(path);
    if (!decoded.printed.empty()) {
        std::fputs(decoded.printed.c_str(), stderr);
        std::fflush(stderr);
    }
    if (!decoded.image)
        SDL_SetError("%s", decoded.reason.c_str());
    return decoded.image;
}
