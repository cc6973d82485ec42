#pragma once

#include <cstdint>
#include <optional>

struct SDL_Surface;

// A swatch's marker colour: the top-left pixel of its image as one 32-bit word, read from a
// 32-bit surface (the display's format with alpha: alpha in the top byte, then red, green,
// blue). None for no surface or an empty one.
std::optional<uint32_t> topLeftPixel(SDL_Surface* surface);

// A copy of an image in the layout that a 32-bit display with alpha gives it, for reading
// colours where there is no display; null when the conversion fails. The caller owns it.
SDL_Surface* convertToDisplayLayout(SDL_Surface* image);

// The same conversion for rows [firstRow, firstRow + rows) of an image only, so that a huge
// image can be read a band at a time; null when the rows are out of range or the conversion
// fails. The caller owns the result.
SDL_Surface* convertRowsToDisplayLayout(SDL_Surface* image, int firstRow, int rows);
