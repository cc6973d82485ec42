#include "app/MapLook.h"

MapLook mapLook(bool painted, bool paintedOver) {
    return painted ? MapLook::Painted : paintedOver ? MapLook::PaintedOverArt : MapLook::Art;
}

uint32_t halfOpacity(uint32_t pixel) {
    // Rounded up, so that an opaque colour is drawn at 128 of 255 and no painted pixel that
    // shows at all vanishes.
    return (pixel & 0x00FFFFFFu) | (((pixel >> 24) + 1) / 2) << 24;
}

uint32_t drawnOver(uint32_t top, uint32_t under) {
    const uint32_t a = top >> 24, b = under >> 24;
    if (a == 0)
        return under;
    // The weight `under` keeps, in 255ths squared: its own alpha times what `top` leaves.
    const uint32_t kept = b * (255 - a);
    const uint32_t alpha = a * 255 + kept; // the result's alpha, in 255ths squared
    uint32_t result = ((alpha + 127) / 255) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t channel =
            (((top >> shift) & 0xFFu) * a * 255 + ((under >> shift) & 0xFFu) * kept + alpha / 2) /
            alpha;
        result |= channel << shift;
    }
    return result;
}
