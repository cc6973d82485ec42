#include "sprites/ShowOneSprite.h"

#include "listfile/Description.h"

#include <utility>

ShowOneSprite::ShowOneSprite(std::string name, const Description& description,
                             const std::vector<Sprite*>& requested)
    : Sprite(std::move(name), NoImage{}) {
    for (const Description::Part& part : description.parts)
        parts.push_back(part.request ? requested[*part.request] : nullptr);
    box.w = description.width;
    box.h = description.height;
}

ShowOneSprite::ShowOneSprite(const ShowOneSprite& prototype)
    : Sprite(prototype.name, NoImage{}), parts(prototype.parts) {
    placement = prototype.placement;
    box = prototype.box;
}

Sprite* ShowOneSprite::clone() {
    clones.push_back(std::unique_ptr<Sprite>(new ShowOneSprite(*this)));
    return clones.back().get();
}

Sprite* ShowOneSprite::shown() {
    if (shownPart < 0 || static_cast<size_t>(shownPart) >= parts.size())
        return nullptr;
    return parts[static_cast<size_t>(shownPart)];
}

void ShowOneSprite::draw(int32_t x, int32_t y, DrawMode mode) {
    Sprite* part = shown();
    if (!part)
        return;
    const int32_t partFacing = part->facing;
    const Rect partBox = part->getBox();
    part->facing = facing;
    part->box = box;
    part->draw(x, y, mode);
    part->facing = partFacing;
    part->box = partBox;
}

void ShowOneSprite::releaseClones() {
    for (auto& made : clones)
        made.reset();
    clones.clear();
}

void ShowOneSprite::update() {
    if (Sprite* part = shown())
        part->update();
}

bool ShowOneSprite::animates() {
    Sprite* part = shown();
    return part && part->animates();
}

void ShowOneSprite::reset() {
    for (Sprite* part : parts)
        if (part)
            part->reset();
}
