#include "bench/LevelDigest.h"

#include "app/Level.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/ShowOneSprite.h"

#include <string>

namespace {

class Digest {
  public:
    void mix(uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xFF;
            hash_ *= 16777619u;
        }
    }
    void mix(const std::string& text) {
        mix(uint32_t(text.size()));
        for (const char c : text)
            mix(uint32_t(uint8_t(c)));
    }
    void mix(const Rect& rect) {
        mix(uint32_t(uint16_t(rect.x)) << 16 | uint16_t(rect.y));
        mix(uint32_t(rect.w) << 16 | rect.h);
    }
    // A sprite and, for a description, the sprites it draws through.
    void mix(Sprite* sprite) {
        if (!sprite) {
            mix(0xFFFFFFFFu);
            return;
        }
        mix(sprite->getName());
        mix(sprite->getPlacement());
        mix(sprite->getBox());
        mix(uint32_t(sprite->unloaded));
        if (auto* animation = dynamic_cast<AnimatedSprite*>(sprite)) {
            for (const AnimationFrame& frame : animation->frames) {
                mix(uint32_t(frame.start));
                mix(frame.sprite);
            }
        } else if (auto* showOne = dynamic_cast<ShowOneSprite*>(sprite)) {
            for (Sprite* part : showOne->parts)
                mix(part);
        }
    }
    uint32_t value() const { return hash_; }

  private:
    uint32_t hash_ = 2166136261u;
};

template <typename Map>
typename Map::mapped_type lookUp(const Map& map, uint32_t colour) {
    const auto found = map.find(colour);
    return found == map.end() ? typename Map::mapped_type() : found->second;
}

} // namespace

uint32_t levelDigest() {
    Digest digest;
    for (const uint32_t colour : levelColors) {
        digest.mix(colour);
        digest.mix(lookUp(textureByColor, colour));
        digest.mix(lookUp(swatchByColor, colour));
        digest.mix(lookUp(objectNameByColor, colour));
    }
    for (const auto* collision : {&walkBehindColor, &walkIntoColor}) {
        digest.mix(uint32_t(collision->has_value()));
        digest.mix(collision->value_or(0));
        digest.mix(collision->has_value() ? lookUp(swatchByColor, **collision) : nullptr);
    }
    return digest.value();
}
