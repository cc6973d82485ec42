#include "app/LevelFileScan.h"

#include "gfx/Renderer.h"
#include "level/SwatchColor.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>

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

// A swatch image's colour, converted to the display's format as read through the catalogue's
// image source (decoded ahead while a level loads, else read now); none, with why in `reason`
// (empty for a refused file, which was named), when it cannot be read.
struct SwatchImage {
    OwnedSurface image; // converted
    std::optional<uint32_t> colour;
    std::string reason;
};
SwatchImage readSwatchImage(const std::string& path, DiagnosticSink& sink) {
    Renderer::get(); // converting to the display's format needs the display
    ImageSource* images = SpriteCatalog::get().sources().images;
    SwatchImage swatch;
    swatch.reason = "no image reader is set";
    SDL_Surface* decoded = images ? images->read(path, sink, swatch.reason) : nullptr;
    swatch.image.reset(toDisplayFormat(decoded));
    swatch.colour = topLeftPixel(swatch.image.get());
    // A decoded image that cannot be converted leaves SDL's own reason.
    if (decoded && !swatch.colour)
        swatch.reason = SDL_GetError();
    return swatch;
}

Swatch readFileSwatch(const LevelFile& file, const KeptFiles* kept, DiagnosticSink& sink) {
    if (kept) {
        const auto found = kept->swatchColours.find(file.swatchPath);
        if (found != kept->swatchColours.end())
            return Swatch{found->second, swatchSprite(file.swatchPath)};
    }
    const SwatchImage read = readSwatchImage(file.swatchPath, sink);
    Swatch swatch;
    swatch.colour = read.colour;
    if (swatch.colour)
        swatch.sprite = swatchSprite(file.swatchPath, read.image.get());
    else if (!read.reason.empty())
        sink.report({DiagnosticKind::Level,
                     file.swatchPath,
                     {},
                     "",
                     "Unable to read swatch " + file.swatchPath + " of " + file.path + " : " +
                         read.reason});
    return swatch;
}

std::optional<uint32_t> readCollisionColor(const std::string& swatchPath, DiagnosticSink& sink) {
    const SwatchImage read = readSwatchImage(swatchPath, sink);
    if (!read.colour && !read.reason.empty())
        sink.report({DiagnosticKind::Level,
                     swatchPath,
                     {},
                     "",
                     "Unable to read collision swatch " + swatchPath + " : " + read.reason});
    return read.colour;
}

// A collision colour that no texture or object carries has no swatch sprite of its own
// colour; its own swatch image stands in, so that the designer still sees the colour.
void giveCollisionColorASwatch(LevelContents& into, const std::optional<uint32_t>& colour,
                               const char* swatchPath) {
    if (colour && !into.swatchByColor.count(*colour))
        into.swatchByColor[*colour] = swatchSprite(swatchPath);
}

} // namespace

std::optional<uint32_t> readSwatchColor(const std::string& path, DiagnosticSink& sink) {
    return readSwatchImage(path, sink).colour;
}

void scanFile(const LevelFile& file, KeptFiles* kept, LevelContents& into, DiagnosticSink& sink) {
    if (!file.unusable.empty()) {
        sink.report({DiagnosticKind::Level, file.path, {}, file.path + ": ", file.unusable});
        return;
    }
    switch (file.kind) {
    case LevelFileKind::WalkBehind:
        into.walkBehindColor = readCollisionColor(file.swatchPath, sink);
        return;
    case LevelFileKind::WalkInto:
        into.walkIntoColor = readCollisionColor(file.swatchPath, sink);
        return;
    case LevelFileKind::Texture:
    case LevelFileKind::Object:
        break;
    }
    // A texture's sprite is made before its swatch is read, as the files' lines come in
    // that order.
    Sprite* texture = file.kind == LevelFileKind::Texture ? getSprite(file.path) : nullptr;
    const Swatch swatch = readFileSwatch(file, kept, sink);
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
