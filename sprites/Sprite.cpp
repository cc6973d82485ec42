#include "sprites/Sprite.h"

#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <SDL_image.h>
#include <utility>

Sprite::Sprite(std::string name) : name(std::move(name)) {
    const SpriteCatalog& catalog = SpriteCatalog::get();
    ImageSource* images = catalog.sources().images;
    std::string reason = "no image reader is set";
    SDL_Surface* image = images ? images->read(this->name, catalog.problems(), reason) : nullptr;
    if (!image) {
        unloaded = true;
        unloadedReason = reason;
    } else {
        // The texture is made when the sprite is first drawn; its window, and the line about
        // scaling it down, are what they will be now.
        texCoords = Renderer::get().plannedWindow(image, this->name, &catalog.problems());
        placement = {0, 0, uint16_t(image->w), uint16_t(image->h)};
        pending_ = std::shared_ptr<SDL_Surface>(image, SDL_FreeSurface);
    }
    box = placement;
    madeTexCoords_ = texCoords;
    madePlacement_ = placement;
}

uint32_t Sprite::uploadedTexture() {
    if (pending_) {
        // The window was worked out when the sprite was made (and may be lent out meanwhile).
        TexCoords window;
        texture =
            Renderer::get().upload(pending_.get(), window, {name, 0, UploadFrom::Decoded, true});
        pending_.reset();
    }
    return texture;
}

Sprite::Sprite(std::string name, SDL_Surface* image) : name(std::move(name)) {
    if (!image) {
        reportUnloadableImage(this->name, SpriteCatalog::get().problems());
    } else {
        // The sprite holds on to the caller's surface (SDL frees it at the last release) until
        // its texture is made, as for an image it reads itself.
        ++image->refcount;
        pending_ = std::shared_ptr<SDL_Surface>(image, SDL_FreeSurface);
        texCoords = Renderer::get().plannedWindow(image, this->name);
        placement = {0, 0, uint16_t(image->w), uint16_t(image->h)};
    }
    box = placement;
    madeTexCoords_ = texCoords;
    madePlacement_ = placement;
}

Sprite::Sprite(std::string name, NoImage) : name(std::move(name)) {}

void Sprite::restoreAsMade() {
    texCoords = madeTexCoords_;
    placement = madePlacement_;
    box = madePlacement_;
    facing = -1;
}

Sprite* Sprite::clone() {
    return this;
}

void Sprite::draw(int32_t x, int32_t y, DrawMode mode) {
    if ((mode != 0 && mode != 1) || uploadedTexture() == 0)
        return;
    // Mirroring swaps the window's sides and reflects the origin within the box, so the box
    // stays where it is and its left edge remains the anchor.
    TexCoords window = texCoords;
    int16_t xOffset = placement.x;
    if (facing == 1) {
        std::swap(window.left, window.right);
        xOffset = static_cast<int16_t>(placement.w - box.w - placement.x);
    }
    const Rect destination = {static_cast<int16_t>(x - xOffset),
                              static_cast<int16_t>(y - placement.y), placement.w, placement.h};
    if (mode == 1)
        Screen::get().drawQuadInView(texture, &window, destination);
    else
        Screen::get().drawQuad(texture, &window, destination);
}

void Sprite::releaseClones() {}

void Sprite::drawCropped(int32_t x, int32_t y, Rect size) {
    const uint16_t oldW = placement.w;
    const uint16_t oldH = placement.h;
    const float oldRight = texCoords.right;
    const float oldBottom = texCoords.bottom;
    placement.w = size.w;
    placement.h = size.h;
    // A sprite without a size has no ratio to scale its window by.
    if (oldW != 0)
        texCoords.right = oldRight * (static_cast<float>(size.w) / static_cast<float>(oldW));
    if (oldH != 0)
        texCoords.bottom = oldBottom * (static_cast<float>(size.h) / static_cast<float>(oldH));
    draw(x, y, 1);
    placement.w = oldW;
    placement.h = oldH;
    texCoords.right = oldRight;
    texCoords.bottom = oldBottom;
}

Rect Sprite::getPlacement() {
    return placement;
}

Rect Sprite::getBox() {
    return box;
}

void Sprite::update() {}

bool Sprite::animates() {
    return false;
}

void Sprite::reset() {}

std::string Sprite::getName() {
    return name;
}
