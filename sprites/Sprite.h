#pragma once

#include "gfx/Rect.h"
#include "gfx/TexCoords.h"

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Surface;

// 0 draws in window coordinates, 1 in view coordinates with culling, any other value nothing.
using DrawMode = uint8_t;

// A drawable thing of the level. Constructed from a name, Sprite itself is the image sprite:
// it loads the image file of that name as a texture and is shared by every user of the name
// (its clone is itself). Description sprites derive from it and draw through other sprites.
class Sprite {
  public:
    // Loads the image, which becomes a texture when the sprite is first drawn (or its texture
    // asked for); an image that cannot be loaded gives texture 0, an empty size and `unloaded`
    // set (the factory names it). The image comes from the catalogue's image source, and a line
    // about scaling it down goes to the catalogue's sink. Needs the Screen.
    explicit Sprite(std::string name);
    // The same sprite made from the file's image already decoded in the display's format
    // (the caller keeps its own hold on the surface), so that a file read for another purpose
    // is not read again. No image is reported as a file that cannot be loaded.
    Sprite(std::string name, SDL_Surface* image);
    virtual ~Sprite() = default;

    // The image sprite is shared: returns itself.
    virtual Sprite* clone();
    // Draws the image with its origin at (x, y) (low 16 bits), mirrored about the box when
    // facing is 1; fields are left as found. Texture 0 or a mode other than 0 and 1: nothing.
    virtual void draw(int32_t x, int32_t y, DrawMode mode);
    // Nothing for the image sprite.
    virtual void releaseClones();
    // Draws the top-left size.w by size.h pixels in view coordinates through this kind's
    // draw; fields are left as found. A zero placement size keeps the texture window as is.
    virtual void drawCropped(int32_t x, int32_t y, Rect size);
    virtual Rect getPlacement();
    virtual Rect getBox();
    // Nothing for the image sprite.
    virtual void update();
    // Whether update() can still change the sprite, and so what it draws, so that a frame loop
    // can stop drawing a page where nothing moves. Never for the image sprite.
    virtual bool animates();
    // Nothing for the image sprite.
    virtual void reset();

    std::string getName();

    // The texture, made now from the image held since the sprite was made if it has not been
    // yet; 0 for an image that could not be loaded or a texture that could not be made.
    uint32_t uploadedTexture();
    // Whether the image is held for a texture not made yet. Never fails.
    bool awaitsUpload() const { return pending_ != nullptr; }

    // Puts back the texture window, placement, box and facing the image sprite was made with,
    // which its users may have changed since (a swatch is drawn at 8 by 8, an animation lends
    // its frames its own), so that a rescan can keep it as if made anew. Never fails.
    void restoreAsMade();
    // The placement the image sprite was made with. Never fails.
    Rect madeSize() const { return madePlacement_; }

    std::string name;
    uint32_t texture = 0; // 0 until made (see uploadedTexture)
    TexCoords texCoords = {0, 0, 0, 0};
    // x, y: the origin, the point of the image that lands on the drawing position;
    // w, h: the size at which the image is drawn.
    Rect placement = {0, 0, 0, 0};
    // Only w is used: a mirrored image is reflected within a box of that width.
    Rect box = {0, 0, 0, 0};
    // 1 draws mirrored left to right; any other value as the image is.
    int32_t facing = -1;
    // An image sprite whose image could not be loaded: animations leave it out, and each
    // description that names it says so. `unloadedReason` is the image library's words; it is
    // empty for a file refused unread, which was named when it was refused.
    bool unloaded = false;
    std::string unloadedReason;

  private:
    // The decoded image, until the texture is made from it.
    std::shared_ptr<SDL_Surface> pending_;
    TexCoords madeTexCoords_ = {0, 0, 0, 0};
    Rect madePlacement_ = {0, 0, 0, 0};

  protected:
    // For description sprites, which own no texture: facing -1, everything else zero.
    struct NoImage {};
    Sprite(std::string name, NoImage);
};
