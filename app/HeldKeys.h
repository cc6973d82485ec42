#pragma once

#include <SDL_events.h>
#include <cstdint>
#include <optional>

// The repeats of a key held down, made here from its key-down and key-up: the last key pressed
// that repeats acts again `repeatDelay` ms after its press and every `repeatInterval` ms after
// that, until it comes up. SDL's own repeat is left off: sdl12-compat, with Unicode on, starts
// repeating a key that types nothing (Page Down, End, an arrow) at its release, for ever.
class HeldKeys {
  public:
    static constexpr uint32_t repeatDelay = SDL_DEFAULT_REPEAT_DELAY;
    static constexpr uint32_t repeatInterval = SDL_DEFAULT_REPEAT_INTERVAL;

    // Notes an event at `now`: a key-down is the key to repeat when `repeats` (any other key
    // pressed ends the repeats of the one before), its key-up ends them, and so does losing the
    // input focus, after which no key-up may come. Other events change nothing. Never fails.
    void note(const SDL_Event& event, bool repeats, uint32_t now);
    // Whether a repeat is due at `now`: the loop, idle otherwise, waits for it as for an event.
    bool due(uint32_t now) const;
    // The held key's key-down to apply again when a repeat is due at `now`, at most one a call
    // (a late frame makes no burst); nothing otherwise. Never fails.
    std::optional<SDL_Event> repeatDue(uint32_t now);
    // Ends the repeats of the held key, for a state in which it no longer repeats.
    void letGo() { held_.reset(); }

  private:
    std::optional<SDL_Event> held_;
    uint32_t due_ = 0;
};
