#pragma once

#include "app/LevelContents.h"
#include "diagnostics/DiagnosticSink.h"
#include "level/LevelLayout.h"

#include <cstdint>
#include <optional>
#include <string>

// Reading one file of a level's scan into the contents it fills (LevelScan runs them in turn).

// One file of levelFiles' list: its sprite, swatch and colour into `into`; a swatch colour
// `kept` holds is taken from there, and the colour read is left there. A file whose swatch
// cannot be read gets one line and no colour. Its problems go to `sink`, its images come from
// the catalogue's image source.
void scanFile(const LevelFile& file, KeptFiles* kept, LevelContents& into, DiagnosticSink& sink);
// After the last file: a collision colour that no file carries gets its own swatch image.
void giveCollisionColoursSwatches(LevelContents& into);

// The top-left pixel of an image in the display's format, read through the catalogue's image
// source; none (silently) when the image cannot be loaded, or after its line to `sink` when it
// is refused. Needs the video mode set.
std::optional<uint32_t> readSwatchColor(const std::string& path,
                                        DiagnosticSink& sink = standardError());
