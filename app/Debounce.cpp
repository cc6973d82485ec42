#include "app/Debounce.h"

void Debounce::changed(uint32_t now) {
    lastChange_ = now;
    pending_ = true;
}

bool Debounce::due(uint32_t now) {
    if (!pending_ || uint32_t(now - lastChange_) < quiet_)
        return false;
    pending_ = false;
    return true;
}
