#pragma once

#include "sprites/Sprite.h"

#include <memory>
#include <vector>

class ListObject;

// A sprite of type "showone": several parts, of which it draws and updates one.
class ShowOneSprite : public Sprite {
public:
    // entries: the elements after the type word, borrowed for the call.
    ShowOneSprite(std::string name, ListObject* entries);

    Sprite* clone() override;
    void draw(int32_t x, int32_t y, DrawMode mode) override; // a null part draws nothing
    void releaseClones() override;
    void update() override;
    void reset() override;

    // Not owned; null where a "sprite" entry named no file or its file could not be made.
    std::vector<Sprite*> parts;
    std::vector<std::unique_ptr<Sprite>> clones;
    int32_t shownPart = 0;

private:
    ShowOneSprite(const ShowOneSprite& prototype);
};
