#pragma once

#include "sprites/Sprite.h"

#include <memory>
#include <vector>

class ListObject;

// A sprite of type "showone": several parts, of which it draws and updates one. It starts,
// and every clone starts, with facing -1 (unmirrored), placement and box zero and texture 0;
// "size" sets the box's w and h.
class ShowOneSprite : public Sprite {
  public:
    // entries: the elements after the type word, borrowed for the call. A word where an
    // entry or item belongs is reported by the element model and skipped.
    ShowOneSprite(std::string name, ListObject* entries);

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
