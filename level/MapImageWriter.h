#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "level/MapImage.h"
#include "platform/FileReplacement.h"

#include <cstdio>
#include <string>

// Writes `image`'s pixels to `file` as a PNG of `kind` (as savedKind gives it: its colours must
// fit it), with the kind's text chunks and no colour-management chunk. Every pixel decodes
// to its colour; those whose alpha is 0 decode as see-through, their colour as the decoder
// makes it. Returns "" or, on failure, why in a few words (libpng's, or the system's).
std::string encodeMapImage(std::FILE* file, const MapImage& image, const MapImage::Kind& kind);

// Saves `image` to `path` (through its links) in the kind savedKind chooses, through a
// FileReplacement under `rules`: the file on disk is replaced whole or not at all. On success
// the image's kind becomes the kind saved, and `sink` gets one line naming `path` for each of:
// 16-bit samples saved at 8 bits, colour-management chunks dropped, an owner or group that
// could not be kept. False on failure, with `problem` set to one line without the path
// ("read-only", "changed on disk", ...); the file then is as it was, byte for byte.
bool saveMapImage(const std::string& path, MapImage& image, const FileReplacement::Rules& rules,
                  DiagnosticSink& sink, std::string& problem);
