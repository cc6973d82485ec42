#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "platform/DecodePool.h"

#include <cstddef>
#include <string>
#include <vector>

struct SDL_Surface;

// An image file as the image library gives it: the surface (owned by whoever takes it), or
// null and why; and what a library printed on standard error meanwhile, a line each.
struct DecodedImage {
    SDL_Surface* image = nullptr;
    std::string reason;
    std::string refusal; // set when the file was refused before decoding (see decodeImageFile)
    std::vector<Diagnostic> library; // caught where it decoded (see DecodePool)
};

// The one step by which the scan's image files are decoded, on worker threads: the file's
// image, or null and why. Safe on several threads at once once an ImagePrefetch exists.
DecodedImage decodeScanImage(const std::string& path);

// A level's image files decoded on worker threads ahead of the scan that uploads them, so
// that start-up is not held to one core. The scan requests what it will read in the order it
// will read it, then takes each image when it reaches that file; a file taken without a
// request is decoded at once. Images decoded and not yet taken are held under budgetBytes.
// Only the thread that made it uses it.
class ImagePrefetch {
  public:
    static constexpr size_t budgetBytes = size_t(64) << 20;

    // Initialises SDL_image's decoders (once in the process, on the thread that makes the
    // first), then starts `threads` workers. Several threads may each make their own.
    explicit ImagePrefetch(unsigned threads = DecodePool::threadCount());

    void request(const std::string& path);
    // Files needed before anything requested so far, such as the images a description names.
    void requestNext(const std::vector<std::string>& paths);
    DecodedImage take(const std::string& path);
    // The image as decoding it here would have given it: what a library printed while it was
    // decoded and a refused file's line go to `sink` now; a failure gives SDL_image's reason in
    // `reason`, a refusal an empty one. Null when the file cannot be decoded; the caller owns the
    // surface.
    SDL_Surface* read(const std::string& path, DiagnosticSink& sink, std::string& reason);

  private:
    DecodePool pool_;
};
