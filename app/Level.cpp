#include "app/Level.h"

#include "gfx/Image.h"
#include "gfx/Renderer.h"
#include "level/LevelLayout.h"
#include "level/SwatchColor.h"
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

Swatch readFileSwatch(const LevelFile& file) {
    Renderer::get(); // converting to the display's format needs the display
    SDL_Surface* image = loadImage(file.swatchPath);
    Swatch swatch;
    swatch.colour = topLeftPixel(image);
    if (swatch.colour) {
        swatch.sprite = swatchSprite(file.swatchPath, image);
    } else {
        std::fprintf(stderr, "Unable to read swatch %s of %s : %s\n", file.swatchPath.c_str(),
                     file.path.c_str(), SDL_GetError());
        std::fflush(stderr);
    }
    SDL_FreeSurface(image);
    return swatch;
}

std::optional<uint32_t> readCollisionColor(const char* swatchPath) {
    const std::optional<uint32_t> colour = readSwatchColor(swatchPath);
    if (!colour) {
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

} // namespace

std::optional<uint32_t> readSwatchColor(const std::string& path) {
    Renderer::get(); // converting to the display's format needs the display
    SDL_Surface* image = loadImage(path);
    const std::optional<uint32_t> colour = topLeftPixel(image);
    SDL_FreeSurface(image);
    return colour;
}

void scanTextures(const std::string& extension) {
    for (const LevelFile& file : textureFiles("", extension)) {
        Sprite* texture = getSprite(file.path);
        const Swatch swatch = readFileSwatch(file);
        if (!swatch.colour)
            continue;
        textureByColor[*swatch.colour] = texture;
        swatchByColor[*swatch.colour] = swatch.sprite;
        levelColors.push_back(*swatch.colour);
    }
}

void scanObjects(const std::string& folder) {
    for (const LevelFile& file : objectFiles("", folder)) {
        const Swatch swatch = readFileSwatch(file);
        if (!swatch.colour)
            continue;
        objectNameByColor[*swatch.colour] = file.path;
        swatchByColor[*swatch.colour] = swatch.sprite;
        levelColors.push_back(*swatch.colour);
    }
}

void loadLevel() {
    scanTextures("png");
    scanTextures("txt");
    walkBehindColor = readCollisionColor(walkBehindSwatch);
    walkIntoColor = readCollisionColor(walkIntoSwatch);
    for (const char* folder : objectFolders)
        scanObjects(folder);
    giveCollisionColorASwatch(walkBehindColor, walkBehindSwatch);
    giveCollisionColorASwatch(walkIntoColor, walkIntoSwatch);
}

void unloadLevel() {
    // The containers point into the catalogue, so they are emptied before it is.
    textureByColor.clear();
    objectNameByColor.clear();
    swatchByColor.clear();
    levelColors.clear();
    walkBehindColor.reset();
    walkIntoColor.reset();
    SpriteCatalog::get().empty();
}
