#pragma once

#include "diagnostics/DiagnosticSink.h"

#include <string>
#include <vector>

struct SDL_Surface;

// Where image sprites get their images: a file read when its sprite is made, or an image
// decoded ahead while a level loads. The catalogue is given one (CatalogSources).
class ImageSource {
  public:
    virtual ~ImageSource() = default;
    // The image of `path` as its file decodes it, unconverted, owned by the caller. Null when it
    // cannot be loaded, with the image library's reason in `reason`; or with `reason` empty for
    // a file refused unread. A refusal, and what the library wrote meanwhile, go to `sink`.
    virtual SDL_Surface* read(const std::string& path, DiagnosticSink& sink,
                              std::string& reason) = 0;
    // The images a description names that have no sprite yet, in the order written, as soon as
    // the description is read, so that they can be decoded before they are asked for.
    virtual void willNeed(const std::vector<std::string>& paths) { (void)paths; }
};

// The one line for an image that cannot be loaded: "Unable to load image <path> : <reason>".
Diagnostic unloadableImage(const std::string& path, const std::string& reason);
// Reports that line for an image the image library itself just failed to load, with its
// reason (SDL's error text, as the library left it).
void reportUnloadableImage(const std::string& path, DiagnosticSink& sink = standardError());
