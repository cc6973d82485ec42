#include "app/FramePacing.h"

#include "platform/Yield.h"

#include <SDL.h>

void waitForFramePeriod(uint32_t lastStamp) {
    // Sleeping through all but the last millisecond keeps an idle viewer off the processor;
    // the polls after it absorb the sleep's coarse wake-up, so frames stay 16 ms apart.
    const uint32_t elapsed = SDL_GetTicks() - lastStamp;
    if (elapsed < framePeriod - 1)
        SDL_Delay(framePeriod - 1 - elapsed);
    while (!framePeriodPassed(SDL_GetTicks(), lastStamp))
        yieldProcessor();
}

namespace {

// SDL 1.2 sees events only while they are pumped, and its own wait for an event looks every
// 10 ms as well; a change comes as late as this after a frame would have.
constexpr uint32_t idleLook = 10;

} // namespace

void waitForEventOrChange(const std::function<bool()>& changed) {
    SDL_Event event;
    for (;;) {
        SDL_PumpEvents();
        if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0 || changed())
            return;
        SDL_Delay(idleLook);
    }
}
