#include "app/Level.h"

#include "gfx/Renderer.h"
#include "gfx/TextureFit.h"
#include "level/ImagePrefetch.h"
#include "level/LevelLayout.h"
#include "level/SwatchColor.h"
#include "level/TextParts.h"
#include "platform/ImageFile.h"
#include "platform/RegularFile.h"
#include "platform/StderrLineCount.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <cstdio>

std::map<uint32_t, Sprite*> textureByColor;
std::map<uint32_t, std::string> objectNameByColor;
std::map<uint32_t, Sprite*> swatchByColor;
std::vector<uint32_t> levelColors;
std::optional<uint32_t> walkBehindColor;
std::optional<uint32_t> walkIntoColor;

namespace {

// The swatch sprite of a colour, drawn at 8 by 8 whatever the image's size. The swatch image
// the scan has already decoded for its colour, when given, makes the sprite, so that each
// swatch file is read once.
Sprite* swatchSprite(const std::string& swatchPath, SDL_Surface* decoded = nullptr) {
    Sprite* swatch = getSprite(swatchPath, decoded);
    if (swatch) {
        swatch->placement.w = 8;
        swatch->placement.h = 8;
    }
    return swatch;
}

// A level file's swatch, decoded once: its colour and, given a colour, its swatch sprite.
struct Swatch {
    std::optional<uint32_t> colour;
    Sprite* sprite = nullptr;
};

// A file's image, unconverted: taken from the images decoded ahead while a level loads, else
// read now. A refused file is named and sets `*refused`.
SDL_Surface* decodedImage(const std::string& path, bool* refused) {
    const SpriteCatalog& catalog = SpriteCatalog::get();
    return catalog.takeImage ? catalog.takeImage(path, refused) : readImage(path, refused);
}

Swatch readFileSwatch(const LevelFile& file, const KeptFiles* kept) {
    if (kept) {
        const auto found = kept->swatchColours.find(file.swatchPath);
        if (found != kept->swatchColours.end())
            return Swatch{found->second, swatchSprite(file.swatchPath)};
    }
    Renderer::get(); // converting to the display's format needs the display
    bool refused = false;
    SDL_Surface* image = toDisplayFormat(decodedImage(file.swatchPath, &refused));
    Swatch swatch;
    swatch.colour = topLeftPixel(image);
    if (swatch.colour) {
        swatch.sprite = swatchSprite(file.swatchPath, image);
    } else if (!refused) {
        std::fprintf(stderr, "Unable to read swatch %s of %s : %s\n", file.swatchPath.c_str(),
                     file.path.c_str(), SDL_GetError());
        std::fflush(stderr);
    }
    SDL_FreeSurface(image);
    return swatch;
}

std::optional<uint32_t> readCollisionColor(const char* swatchPath) {
    bool refused = false;
    const std::optional<uint32_t> colour = readSwatchColor(swatchPath, &refused);
    if (!colour && !refused) {
        std::fprintf(stderr, "Unable to read collision swatch %s : %s\n", swatchPath,
                     SDL_GetError());
        std::fflush(stderr);
    }
    return colour;
}

// A collision colour that no texture or object carries has no swatch sprite of its own
// colour; its own swatch image stands in, so that the designer still sees the colour.
void giveCollisionColorASwatch(const std::optional<uint32_t>& colour, const char* swatchPath) {
    if (colour && !swatchByColor.count(*colour))
        swatchByColor[*colour] = swatchSprite(swatchPath);
}

// While the level loads, its images are decoded on worker threads in the order the scan reads
// them; the scan takes each when it comes to it and does everything else itself, so that GL,
// the catalogue and standard error see what a scan on one thread gives.
class LoadingLevel {
  public:
    // Files a rescan keeps (a sprite in the catalogue, a swatch colour in `kept`) are not read.
    LoadingLevel(const std::vector<LevelFile>& files, const KeptFiles* kept) {
        SpriteCatalog& catalog = SpriteCatalog::get();
        for (const LevelFile& file : files) {
            if (!file.unusable.empty())
                continue;
            if (file.kind == LevelFileKind::Texture && endsWith(file.path, ".png") &&
                !catalog.sprites.count(file.path))
                images_.request(file.path);
            if (!kept || !kept->swatchColours.count(file.swatchPath))
                images_.request(file.swatchPath);
        }
        catalog.takeImage = [this](const std::string& path, bool* refused) {
            return images_.load(path, refused);
        };
        catalog.requestImages = [this](const std::vector<std::string>& paths) {
            images_.requestNext(paths);
        };
        catalog.openListFile = openRegularFile;
    }
    ~LoadingLevel() {
        SpriteCatalog& catalog = SpriteCatalog::get();
        catalog.takeImage = nullptr;
        catalog.requestImages = nullptr;
        catalog.openListFile = nullptr;
    }
    LoadingLevel(const LoadingLevel&) = delete;
    LoadingLevel& operator=(const LoadingLevel&) = delete;

  private:
    // The scan's own thread uploads as much as the workers decode: it keeps a core.
    ImagePrefetch images_{DecodePool::threadCount(1)};
};

} // namespace

std::optional<uint32_t> readSwatchColor(const std::string& path, bool* refused) {
    Renderer::get(); // converting to the display's format needs the display
    SDL_Surface* image = toDisplayFormat(decodedImage(path, refused));
    const std::optional<uint32_t> colour = topLeftPixel(image);
    SDL_FreeSurface(image);
    return colour;
}

void scanFile(const LevelFile& file, KeptFiles* kept) {
    if (!file.unusable.empty()) {
        std::fprintf(stderr, "%s: %s\n", file.path.c_str(), file.unusable.c_str());
        std::fflush(stderr);
        return;
    }
    switch (file.kind) {
    case LevelFileKind::WalkBehind:
        walkBehindColor = readCollisionColor(file.swatchPath.c_str());
        return;
    case LevelFileKind::WalkInto:
        walkIntoColor = readCollisionColor(file.swatchPath.c_str());
        return;
    case LevelFileKind::Texture:
    case LevelFileKind::Object:
        break;
    }
    // A texture's sprite is made before its swatch is read, as the files' lines come in
    // that order.
    Sprite* texture = file.kind == LevelFileKind::Texture ? getSprite(file.path) : nullptr;
    const Swatch swatch = readFileSwatch(file, kept);
    if (!swatch.colour)
        return;
    if (kept && swatch.sprite)
        kept->swatchColours[file.swatchPath] = *swatch.colour;
    if (file.kind == LevelFileKind::Texture)
        textureByColor[*swatch.colour] = texture;
    else
        objectNameByColor[*swatch.colour] = file.path;
    swatchByColor[*swatch.colour] = swatch.sprite;
    levelColors.push_back(*swatch.colour);
}

void loadLevel(KeptFiles* kept) {
    const std::vector<LevelFile> files = levelFiles("");
    if (kept) {
        // Stamped before anything of this scan is read, so that a change while it reads
        // shows as a change to the next scan.
        for (const LevelFile& file : files) {
            if (!file.unusable.empty())
                continue;
            for (const std::string* path : {&file.path, &file.swatchPath}) {
                if (const std::optional<FileStamp> stamp = fileStamp(*path))
                    kept->stamps[*path] = *stamp;
            }
        }
    }
    const LoadingLevel loading(files, kept);
    for (const LevelFile& file : files)
        scanFile(file, kept);
    giveCollisionColorASwatch(walkBehindColor, walkBehindSwatch);
    giveCollisionColorASwatch(walkIntoColor, walkIntoSwatch);
    // Kept sprites that this scan never asked for would not be in a scan made from nothing.
    SpriteCatalog::get().dropUnclaimed();
}

std::optional<size_t> loadLevelCountingProblems(KeptFiles* kept) {
    StderrLineCount lines;
    loadLevel(kept);
    return lines.finish();
}

namespace {

// The containers point into the catalogue, so they are emptied before it is.
void emptyContainers() {
    textureByColor.clear();
    objectNameByColor.clear();
    swatchByColor.clear();
    levelColors.clear();
    walkBehindColor.reset();
    walkIntoColor.reset();
}

} // namespace

void unloadLevel() {
    emptyContainers();
    SpriteCatalog::get().clear();
}

std::optional<size_t> rescanLevel(KeptFiles& kept) {
    StderrLineCount lines;
    SpriteCatalog& catalog = SpriteCatalog::get();
    // Every file the last scan made a sprite of, stamped before this scan reads anything.
    std::map<std::string, FileStamp> now;
    for (const auto& entry : catalog.sprites) {
        if (const std::optional<FileStamp> stamp = fileStamp(entry.first))
            now.emplace(entry.first, *stamp);
    }
    const auto unchanged = [&](const std::string& path) {
        const auto before = kept.stamps.find(path), after = now.find(path);
        return before != kept.stamps.end() && after != now.end() && before->second.settled &&
               before->second == after->second;
    };
    const Renderer& gl = Renderer::get();
    emptyContainers();
    // A sprite whose making wrote a line (an image that could not be loaded, or was scaled down
    // to fit a texture) is made again, so that its line is written again.
    catalog.clearExcept([&](const std::string& name, Sprite& sprite) {
        const Rect size = sprite.getPlacement();
        return !sprite.unloaded && sprite.texture != 0 && unchanged(name) &&
               !TextureFit::of(size.w, size.h, gl.maxTextureSide, Renderer::texelBudget).scaled;
    });
    std::map<std::string, uint32_t> colours;
    for (const auto& [path, colour] : kept.swatchColours) {
        if (catalog.sprites.count(path))
            colours.emplace(path, colour);
    }
    kept.stamps = std::move(now);
    kept.swatchColours = std::move(colours);
    loadLevel(&kept);
    return lines.finish();
}
