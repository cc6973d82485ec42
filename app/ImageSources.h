#pragma once

#include "sprites/ImageSource.h"

class ImagePrefetch;
struct KeptFiles;

// The viewer's two ways to an image for the sprite catalogue (and the scan's swatches).

// Each file read when it is asked for (platform's readImage): outside a scan.
class FileImages : public ImageSource {
  public:
    SDL_Surface* read(const std::string& path, DiagnosticSink& sink, std::string& reason) override;
};

// The images a scan has decoded ahead on its workers. The images a description names are
// stamped into `kept` (when given) as it names them, before they are decoded, so that the next
// scan can keep them too, then asked for ahead of the rest.
class PrefetchedImages : public ImageSource {
  public:
    PrefetchedImages(ImagePrefetch& images, KeptFiles* kept) : images_(images), kept_(kept) {}
    SDL_Surface* read(const std::string& path, DiagnosticSink& sink, std::string& reason) override;
    void willNeed(const std::vector<std::string>& paths) override;

  private:
    ImagePrefetch& images_;
    KeptFiles* kept_;
};
