#include "sprites/ShowOneSprite.h"

#include "listfile/EntryFields.h"
#include "listfile/ListObject.h"
#include "sprites/SpriteCatalog.h"

#include <utility>

namespace {

// One "sprite" entry: the part its last "filename" names, with the origins given after it.
Sprite* readPart(const std::string& description, ListObject* items) {
    Sprite* part = nullptr;
    for (ListObject* cell = items; cell && cell->first; cell = cell->rest()) {
        ListObject* item = cell->firstList();
        if (!item || !item->first)
            continue;
        const std::string key = item->firstString();
        if (key == "filename") {
            part = getNamedSprite(firstStringOf(item->rest()), {description, item->line, "part"});
        } else if (key == "origin" && part) {
            // Set on the very sprite the factory returned: for an image, every user's.
            Rect placement = part->getPlacement();
            placement.x = static_cast<int16_t>(firstIntOf(item->rest()));
            placement.y = static_cast<int16_t>(firstIntOf(restOf(item->rest())));
            part->placement = placement;
        }
    }
    return part;
}

} // namespace

ShowOneSprite::ShowOneSprite(std::string name, ListObject* entries)
    : Sprite(std::move(name), NoImage{}) {
    for (ListObject* cell = entries; cell && cell->first; cell = cell->rest()) {
        ListObject* entry = cell->firstList();
        if (!entry || !entry->first)
            continue;
        const std::string key = entry->firstString();
        if (key == "sprite") {
            parts.push_back(readPart(this->name, entry->rest()));
        } else if (key == "size") {
            box.w = static_cast<uint16_t>(firstIntOf(entry->rest()));
            box.h = static_cast<uint16_t>(firstIntOf(restOf(entry->rest())));
        }
    }
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
