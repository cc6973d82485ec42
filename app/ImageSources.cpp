#include "app/ImageSources.h"

#include "app/LevelContents.h"
#include "level/ImagePrefetch.h"
#include "platform/ImageFile.h"

SDL_Surface* FileImages::read(const std::string& path, DiagnosticSink& sink, std::string& reason) {
    return readImage(path, &reason, sink);
}

SDL_Surface* PrefetchedImages::read(const std::string& path, DiagnosticSink& sink,
                                    std::string& reason) {
    return images_.read(path, sink, reason);
}

void PrefetchedImages::willNeed(const std::vector<std::string>& paths) {
    if (kept_) {
        for (const std::string& path : paths) {
            if (const std::optional<FileStamp> stamp = fileStamp(path))
                kept_->stamps.emplace(path, *stamp);
        }
    }
    images_.requestNext(paths);
}
