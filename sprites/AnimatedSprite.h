#pragma once

#include "sprites/AnimationFrame.h"
#include "sprites/Sprite.h"

#include <memory>
#include <vector>

class ListObject;

// A sprite of type "animated": frames played one tick per update, once or in a loop.
class AnimatedSprite : public Sprite {
public:
    // entries: the elements after the type word, borrowed for the call.
    AnimatedSprite(std::string name, ListObject* entries);

    Sprite* clone() override;
    void draw(int32_t x, int32_t y, DrawMode mode) override; // no frame or sprite: nothing
    void releaseClones() override;
    void update() override;
    void reset() override;

    std::vector<std::unique_ptr<Sprite>> clones;
    std::vector<AnimationFrame> frames;
    int32_t currentFrame = 0;
    int32_t clock = 0;
    int32_t duration = 0;
    bool loop = false;

private:
    AnimatedSprite(const AnimatedSprite& prototype);
};
