#pragma once

#include "sprites/AnimationFrame.h"
#include "sprites/Sprite.h"

#include <memory>
#include <vector>

class DiagnosticSink;
struct Description;

// A sprite of type "animated": frames played one tick per update, once or in a loop. It
// starts, and every clone starts, with facing -1 (unmirrored), box zero and texture 0;
// placement is the first frame's (from the first frame that has a sprite; zero if none).
class AnimatedSprite : public Sprite {
  public:
    // Built from its description as read (listfile/Description), whose frames name the sprites
    // the reader asked for (`requested`, in the order asked). Reports to `sink` one "Animated
    // sprite not of consistent size: <frame> conflicts in <name>" per frame whose size differs
    // from the first's. A frame whose image cannot be loaded is left out by the reader, time and
    // all, so it is never compared or shown. A first frame without "time" starts at 0; without
    // "filename" it has no sprite.
    AnimatedSprite(std::string name, const Description& description,
                   const std::vector<Sprite*>& requested, DiagnosticSink& sink);

    // A new sprite sharing the frames, with its own clock at 0, owned by this one.
    Sprite* clone() override;
    // Draws the current frame's sprite with this sprite's facing, placement and box lent to
    // it (the latter two kept by the frame sprite). No frame or no sprite there: nothing.
    void draw(int32_t x, int32_t y, DrawMode mode) override;
    // Destroys the clones (and so whatever they own); the frame sprites are untouched.
    void releaseClones() override;
    // One tick. Without frames currentFrame becomes -1. A loop whose times add up to 0 has
    // no period: its clock stays at 0 and it shows its first frame.
    void update() override;
    // A loop with a period animates for ever, one without holds still; an animation that
    // plays once animates until its clock has passed its end, where update() stops.
    bool animates() override;
    // Back to the first frame with the clock at 0.
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
