#pragma once

#include "diagnostics/DiagnosticSink.h"

#include <string>

struct SDL_Surface;

// Decodes an image file as the image library gives it, unconverted, after refusing what must
// not reach the decoder: a file that is no regular file (a FIFO, a device, a folder), opened
// without waiting on it, and a PNG larger than an image surface holds, told from its header.
// Null on failure with one of the two set: `refusal` for a refused file ("not a regular file", or
// the size), else `reason` ("Couldn't open <path>", or the image library's own). Safe on
// several threads at once. The caller owns the surface.
SDL_Surface* decodeImageFile(const std::string& path, std::string& refusal, std::string& reason);

// The one line that names a refused file: "<path>: <refusal>".
Diagnostic refusedFile(const std::string& path, const std::string& refusal);

// decodeImageFile with the refusal reported at once to `sink` (refusedFile). Other failures
// yield null silently with their reason in `*reason`, when given, which stays empty for a
// refused file. The caller owns the surface.
SDL_Surface* readImage(const std::string& path, std::string* reason = nullptr,
                       DiagnosticSink& sink = standardError());

// Loads an image file and converts it to the display's format with alpha; needs the video
// mode set. A missing or unreadable file, or a failed conversion, yields null without a
// message and its reason in `*reason`, when given; a refused file as readImage. The caller
// owns the surface.
SDL_Surface* loadImage(const std::string& path, std::string* reason = nullptr);

// The same conversion for an image already decoded (as readImage gives it), which it frees;
// null for null.
SDL_Surface* toDisplayFormat(SDL_Surface* loaded);
