#include "sprites/AnimatedSprite.h"

#include "listfile/EntryFields.h"
#include "listfile/ListObject.h"
#include "sprites/SpriteCatalog.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

// Sums wrap instead of overflowing: absurd "time" values give an odd animation, never
// undefined arithmetic.
int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// A "time" value as atoi reads it. Never reported: a list there, or no value at all, is 0.
int32_t timeOf(ListObject* value) {
    if (!value || !value->first)
        return 0;
    return std::atoi(value->firstString().c_str());
}

} // namespace

AnimatedSprite::AnimatedSprite(std::string name, ListObject* entries)
    : Sprite(std::move(name), NoImage{}) {
    // One record for the whole file: an entry without "filename" or "time" repeats the
    // previous frame's sprite or start.
    AnimationFrame record;
    bool hasSpriteEntry = false;
    for (ListObject* cell = entries; cell && cell->first; cell = cell->rest()) {
        ListObject* entry = cell->firstList();
        if (!entry || !entry->first)
            continue;
        const std::string key = entry->firstString();
        if (key == "sprite") {
            hasSpriteEntry = true;
            const int32_t startBefore = record.start;
            const int32_t durationBefore = duration;
            for (ListObject* itemCell = entry->rest(); itemCell && itemCell->first;
                 itemCell = itemCell->rest()) {
                ListObject* item = itemCell->firstList();
                if (!item || !item->first)
                    continue;
                const std::string itemKey = item->firstString();
                if (itemKey == "filename") {
                    record.sprite = getNamedSprite(firstStringOf(item->rest()),
                                                   {this->name, item->line, "frame"});
                } else if (itemKey == "time") {
                    record.start = duration;
                    duration = wrappingAdd(duration, timeOf(item->rest()));
                }
            }
            if (record.sprite && record.sprite->unloaded) {
                // The animation plays the frames it has: one that cannot be loaded is left
                // out with its time, rather than shown as an empty frame in every loop.
                record.start = startBefore;
                duration = durationBefore;
            } else {
                frames.push_back(record);
            }
        } else if (key == "loop") {
            loop = true;
        }
    }

    if (!hasSpriteEntry) {
        std::cerr << "Malformed animated sprites file: " << this->name << std::endl;
        return;
    }
    // The size comes from the first frame that has a sprite (normally the first frame);
    // frames before it have nothing to compare.
    size_t first = 0;
    while (first < frames.size() && !frames[first].sprite)
        ++first;
    if (first == frames.size())
        return;
    placement = frames[first].sprite->getPlacement();
    for (size_t i = first + 1; i < frames.size(); ++i) {
        Sprite* frame = frames[i].sprite;
        if (!frame)
            continue;
        const Rect size = frame->getPlacement();
        if (size.h != placement.h || size.w != placement.w)
            std::cerr << "Animated sprite not of consistent size: " << frame->getName()
                      << " conflicts in " << this->name << std::endl;
    }
}

AnimatedSprite::AnimatedSprite(const AnimatedSprite& prototype)
    : Sprite(prototype.name, NoImage{}), frames(prototype.frames), duration(prototype.duration),
      loop(prototype.loop) {
    placement = prototype.placement;
    box = prototype.box;
}

Sprite* AnimatedSprite::clone() {
    clones.push_back(std::unique_ptr<Sprite>(new AnimatedSprite(*this)));
    return clones.back().get();
}

void AnimatedSprite::draw(int32_t x, int32_t y, DrawMode mode) {
    if (currentFrame < 0 || static_cast<size_t>(currentFrame) >= frames.size())
        return;
    Sprite* frame = frames[static_cast<size_t>(currentFrame)].sprite;
    if (!frame)
        return;
    const int32_t frameFacing = frame->facing;
    SpriteCatalog::get().noteLent(*frame);
    frame->facing = facing;
    frame->placement = placement;
    frame->box = box;
    frame->draw(x, y, mode);
    frame->facing = frameFacing;
}

void AnimatedSprite::releaseClones() {
    for (auto& made : clones)
        made.reset();
    clones.clear();
}

void AnimatedSprite::update() {
    if (clock > duration)
        return;
    clock = wrappingAdd(clock, 1);
    if (loop) {
        if (duration == 0) {
            // No period to wrap by: the loop holds still on its first frame.
            clock = 0;
            currentFrame = frames.empty() ? -1 : 0;
            return;
        }
        clock %= duration;
    }
    currentFrame = static_cast<int32_t>(frames.size()) - 1;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (clock < frames[i].start) {
            currentFrame = static_cast<int32_t>(i) - 1;
            break;
        }
    }
}

bool AnimatedSprite::animates() {
    // update() returns at once past the end, and a loop without a period holds still.
    return clock <= duration && !(loop && duration == 0);
}

void AnimatedSprite::reset() {
    currentFrame = 0;
    clock = 0;
}
