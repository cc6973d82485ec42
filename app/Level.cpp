#include "app/Level.h"

#include "app/LevelScan.h"

#include "gfx/Renderer.h"
#include "level/LevelLayout.h"
#include "level/SwatchColor.h"
#include "platform/ImageFile.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <cstdio>

LevelContents shownLevel;
std::map<uint32_t, Sprite*>& textureByColor = shownLevel.textureByColor;
std::map<uint32_t, std::string>& objectNameByColor = shownLevel.objectNameByColor;
std::map<uint32_t, Sprite*>& swatchByColor = shownLevel.swatchByColor;
std::vector<uint32_t>& levelColors = shownLevel.levelColors;
std::optional<uint32_t>& walkBehindColor = shownLevel.walkBehindColor;
std::optional<uint32_t>& walkIntoColor = shownLevel.walkIntoColor;

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
void giveCollisionColorASwatch(LevelContents& into, const std::optional<uint32_t>& colour,
                               const char* swatchPath) {
    if (colour && !into.swatchByColor.count(*colour))
        into.swatchByColor[*colour] = swatchSprite(swatchPath);
}

} // namespace

std::optional<uint32_t> readSwatchColor(const std::string& path, bool* refused) {
    Renderer::get(); // converting to the display's format needs the display
    SDL_Surface* image = toDisplayFormat(decodedImage(path, refused));
    const std::optional<uint32_t> colour = topLeftPixel(image);
    SDL_FreeSurface(image);
    return colour;
}

void scanFile(const LevelFile& file, KeptFiles* kept, LevelContents& into) {
    if (!file.unusable.empty()) {
        std::fprintf(stderr, "%s: %s\n", file.path.c_str(), file.unusable.c_str());
        std::fflush(stderr);
        return;
    }
    switch (file.kind) {
    case LevelFileKind::WalkBehind:
        into.walkBehindColor = readCollisionColor(file.swatchPath.c_str());
        return;
    case LevelFileKind::WalkInto:
        into.walkIntoColor = readCollisionColor(file.swatchPath.c_str());
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
        into.textureByColor[*swatch.colour] = texture;
    else
        into.objectNameByColor[*swatch.colour] = file.path;
    into.swatchByColor[*swatch.colour] = swatch.sprite;
    into.levelColors.push_back(*swatch.colour);
}

void giveCollisionColoursSwatches(LevelContents& into) {
    giveCollisionColorASwatch(into, into.walkBehindColor, walkBehindSwatch);
    giveCollisionColorASwatch(into, into.walkIntoColor, walkIntoSwatch);
}

void loadLevel(KeptFiles* kept) {
    LevelScan(LevelScan::Kind::Load, kept, false).finish();
}

void unloadLevel() {
    shownLevel = LevelContents();
    SpriteCatalog::get().clear();
}
