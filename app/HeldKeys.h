#pragma once

#include <SDL_events.h>
#include <bitset>

// Tells a key's first press from the key-downs SDL repeats while the key is held: a key-down
// of a key that went down before and has not come up since is a repeat.
class HeldKeys {
  public:
    // Notes a key-down or key-up (other events change nothing) and answers whether it is a
    // key-down that repeats one still held. Never fails.
    bool isRepeat(const SDL_Event& event);

  private:
    std::bitset<SDLK_LAST> down_;
};
