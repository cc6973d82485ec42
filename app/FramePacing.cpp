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
