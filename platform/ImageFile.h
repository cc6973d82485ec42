#pragma once

#include <string>

struct SDL_Surface;

// Decodes an image file as the image library gives it, unconverted, after refusing what must
// not reach the decoder: a file that is no regular file (a FIFO, a device, a folder), opened
// without waiting on it, and a PNG larger than an image surface holds, told from its header.
// Null on failure: a refused file sets `refusal` to the problem ("not a regular file", or the
// size); any other failure leaves `refusal` empty and SDL's error text (the calling thread's)
// set. Safe on several threads at once. The caller owns the surface.
SDL_Surface* decodeImageFile(const std::string& path, std::string& refusal);

// Writes the one line that names a refused file: "<path>: <refusal>", flushed at once.
void reportRefusedFile(const std::string& path, const std::string& refusal);
