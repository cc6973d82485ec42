#pragma once

#include "check/LevelReport.h"

#include <optional>
#include <string>

// Palette files that paint programs load, so that designers paint with the exact marker
// colours: one entry per distinct colour, in legend order.
enum class PaletteFormat {
    Gimp, // ".gpl": "GIMP Palette", a name, then "R G B<tab>name" lines; named after its files
    Jasc  // ".pal": "JASC-PAL", "0100", the count, then "R G B" lines (the format has no names)
};

// The format a file name asks for by its extension (".gpl" or ".pal", any letter case).
std::optional<PaletteFormat> paletteFormatOf(const std::string& file);

// Writes the report's marker colours to `file`. False, with the system's reason, when the
// file cannot be written. Alpha is left out: neither format carries it.
bool writePalette(const LevelReport& report, const std::string& file, PaletteFormat format,
                  std::string& reason);
