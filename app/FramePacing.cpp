#include "app/FramePacing.h"

#include "platform/Yield.h"

#include <SDL.h>

void waitForFramePeriod(uint32_t lastStamp) {
    while (!framePeriodPassed(SDL_GetTicks(), lastStamp))
        yieldProcessor();
}
