#pragma once

#include "diagnostics/DiagnosticSink.h"

#include <optional>
#include <string>

struct MapSize {
    int width = 0;
    int height = 0;
};

// A size as a user writes it, "WxH" (decimal, no sign); none for anything else. Never fails.
std::optional<MapSize> parseMapSize(const std::string& text);

// Creates a fully transparent RGBA map of `size` at `path`, through the same safe save as any
// map, never over a file already there. False with `problem` set to one line without the
// path: "already exists", a side of 0 or over MapImage::maxSide ("WxH: ..."), or why the
// file cannot be written; nothing is then left behind.
bool createNewMap(const std::string& path, MapSize size, DiagnosticSink& sink,
                  std::string& problem);
