#pragma once

#include "app/MapList.h"
#include "diagnostics/DiagnosticSink.h"

#include <string>

// Saves a map's pixels as shown to its file (level/MapImageWriter through a FileReplacement),
// in the kind of PNG its file was, read from the file at its first save. The file must be as
// `expected` (the map's stamp, or the file as it was when a save over its change was asked),
// checked before the save and once more just before the rename; a missing file is written
// anew. On success the
// map's edits are its saved state, its stamp the file's, and nothing is read again. Returns ""
// or, on failure, the problem in one line without the path ("read-only", "changed on disk",
// ...), also to `sink` as "Unable to save map <path> : <problem>"; the map and its file then
// stay as they were.
std::string saveMap(MapList::Map& map, const std::optional<FileStamp>& expected,
                    DiagnosticSink& sink);
