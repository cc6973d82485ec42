#include "app/HeldKeys.h"

bool HeldKeys::isRepeat(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
        return false;
    const size_t key = size_t(event.key.keysym.sym);
    if (key >= down_.size())
        return false;
    const bool wasDown = down_[key];
    down_[key] = event.type == SDL_KEYDOWN;
    return event.type == SDL_KEYDOWN && wasDown;
}
