#pragma once

#include <png.h>

// Has libpng read or write 8-bit RGBA samples as 0xAARRGGBB words in memory, whatever the
// machine's byte order, so that the rows are the pixels themselves.
inline void setPixelByteOrder(png_structp png) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    png_set_swap_alpha(png); // A, R, G, B in memory
#else
    png_set_bgr(png); // B, G, R, A in memory
#endif
}
