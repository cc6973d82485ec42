#include "sprites/AnimatedSprite.h"

#include "listfile/Description.h"
#include "sprites/SpriteCatalog.h"

#include <utility>

namespace {

// Sums wrap instead of overflowing, as the description's times do.
int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

} // namespace

AnimatedSprite::AnimatedSprite(std::string name, const Description& description,
                               const std::vector<Sprite*>& requested, DiagnosticSink& sink)
    : Sprite(std::move(name), NoImage{}), duration(description.duration), loop(description.loop) {
    std::vector<std::optional<std::pair<int, int>>> sizes;
    for (const Description::Frame& frame : description.frames) {
        Sprite* sprite = frame.request ? requested[*frame.request] : nullptr;
        frames.push_back({sprite, frame.start});
        if (sprite)
            sizes.push_back(std::make_pair(sprite->getPlacement().w, sprite->getPlacement().h));
        else
            sizes.emplace_back();
    }
    if (!description.hasSpriteEntry)
        return;
    // The size comes from the first frame that has a sprite (normally the first frame);
    // frames before it have nothing to compare.
    const FrameSizes compared = compareFrameSizes(sizes);
    if (!compared.first)
        return;
    placement = frames[*compared.first].sprite->getPlacement();
    for (size_t i : compared.differing)
        sink.report({DiagnosticKind::Description, this->name, description.frames[i].line, "",
                     "Animated sprite not of consistent size: " + frames[i].sprite->getName() +
                         " conflicts in " + this->name});
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
