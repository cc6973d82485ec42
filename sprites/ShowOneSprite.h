#pragma once

#include "sprites/Sprite.h"

#include <memory>
#include <vector>

struct Description;

// A sprite of type "showone": several parts, of which it draws and updates one. It starts,
// and every clone starts, with facing -1 (unmirrored), placement and box zero and texture 0;
// "size" sets the box's w and h.
class ShowOneSprite : public Sprite {
  public:
    // Built from its description as read (listfile/Description), whose parts name the sprites
    // the reader asked for (`requested`, in the order asked; the origins are set on them as
    // they are read).
    ShowOneSprite(std::string name, const Description& description,
                  const std::vector<Sprite*>& requested);

    // A new sprite sharing the parts, owned by this one (in clones).
    Sprite* clone() override;
    // Draws the shown part with this sprite's facing and box lent to it; no part: nothing.
    void draw(int32_t x, int32_t y, DrawMode mode) override;
    // Destroys the clones (and so whatever they own); the parts are untouched.
    void releaseClones() override;
    // Updates the shown part; no part: nothing.
    void update() override;
    // Whether the shown part animates; no part: never.
    bool animates() override;
    // Resets every part that exists.
    void reset() override;

    // Not owned; null where a "sprite" entry named no file or its file could not be made.
    std::vector<Sprite*> parts;
    std::vector<std::unique_ptr<Sprite>> clones;
    int32_t shownPart = 0;

  private:
    ShowOneSprite(const ShowOneSprite& prototype);
    // The part at shownPart, or null when there is none.
    Sprite* shown();
};
