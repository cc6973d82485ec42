#include "level/ImagePrefetch.h"

#include "platform/ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>
#include <mutex>
#include <utility>

namespace {

// SDL_image sets up each decoder on its first use, through shared counters; doing it once
// here, before any worker starts, leaves the workers nothing to set up. Once in the process:
// the check makes prefetches on several threads at once, and IMG_Init writes its counters
// each time it is called.
unsigned withDecodersReady(unsigned threads) {
    static std::once_flag ready;
    std::call_once(ready,
                   [] { IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP); });
    return threads;
}

DecodePool::Decoded decodeForPool(const std::string& path) {
    DecodedImage image = decodeScanImage(path);
    DecodePool::Decoded decoded;
    decoded.value = image.image;
    decoded.reason = std::move(image.reason);
    decoded.refusal = std::move(image.refusal);
    if (image.image)
        decoded.bytes = sizeof(SDL_Surface) + size_t(image.image->pitch) * size_t(image.image->h);
    return decoded;
}

void releaseSurface(void* surface) {
    SDL_FreeSurface(static_cast<SDL_Surface*>(surface));
}

} // namespace

DecodedImage decodeScanImage(const std::string& path) {
    DecodedImage decoded;
    decoded.image = decodeImageFile(path, decoded.refusal, decoded.reason);
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
    DecodedImage image;
    image.image = static_cast<SDL_Surface*>(decoded.value);
    image.reason = std::move(decoded.reason);
    image.refusal = std::move(decoded.refusal);
    image.library = std::move(decoded.library);
    return image;
}

SDL_Surface* ImagePrefetch::read(const std::string& path, DiagnosticSink& sink,
                                 std::string& reason) {
    const DecodedImage decoded = take(path);
    for (const Diagnostic& line : decoded.library)
        sink.report(line);
    if (!decoded.refusal.empty())
        sink.report(refusedFile(path, decoded.refusal));
    reason = decoded.refusal.empty() ? decoded.reason : std::string();
    return decoded.image;
}
