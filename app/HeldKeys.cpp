#include "app/HeldKeys.h"

void HeldKeys::note(const SDL_Event& event, bool repeats, uint32_t now) {
    if (event.type == SDL_KEYDOWN) {
        held_.reset();
        if (repeats) {
            held_ = event;
            due_ = now + repeatDelay;
        }
    } else if (event.type == SDL_KEYUP) {
        if (held_ && held_->key.keysym.sym == event.key.keysym.sym)
            held_.reset();
    } else if (event.type == SDL_ACTIVEEVENT && (event.active.state & SDL_APPINPUTFOCUS) &&
               !event.active.gain) {
        held_.reset();
    }
}

bool HeldKeys::due(uint32_t now) const {
    // The difference in signed arithmetic, so that the tick counter wrapping changes nothing.
    return held_ && int32_t(now - due_) >= 0;
}

std::optional<SDL_Event> HeldKeys::repeatDue(uint32_t now) {
    if (!due(now))
        return std::nullopt;
    due_ = now + repeatInterval;
    return held_;
}
