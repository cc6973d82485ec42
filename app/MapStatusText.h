#pragma once

#include "level/MeantMarker.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The map view's two lines as text: the caption naming the map, and the status line, which
// says what is wrong, or names the cell under the pointer, or sums the map up. Each fits the
// characters a line has room for, paths shortened (app/ShortenedPath). Pure; never fails.

// The characters a line of the font holds in a window `width` pixels wide.
size_t mapLineRoom(int32_t width);

// "MAP: " ("EDIT: " while editing) and the map's path, then " *" when it has unsaved edits, or
// "MAP: none" for no map.
std::string mapCaption(const std::string* path, size_t room, bool editing = false,
                       bool unsaved = false);

// The brush as the status line shows it: "#RRGGBB " and what its colour is, shortened to the
// room; the advice to pick one while there is none.
std::string brushText(const std::optional<uint32_t>& brush, const std::string& what, size_t room);
extern const char* const noBrushText;
// The question Escape and the close button ask while a map has unsaved edits.
extern const char* const unsavedQuestion;

// The status line as drawn: the advice without a map is longer than the default window's line,
// so what does not fit goes on a second line, from " or give" on; any other text is one line.
std::vector<std::string> mapStatusLines(const std::string& status, size_t room);

// The offer of an earlier run's unsaved edits, the file's local time "HH:MM" given:
// "recovery from 14:02: u loads it".
std::string recoveryOffer(const std::string& time);

// The status texts of a map that shows no cells.
extern const char* const noMapText;     // no map at all
extern const char* const notLoadedText; // the level not loaded yet
extern const char* const unreadableText;

// "WxH, N stray pixels, xZ": the map's size in cells, its strays, and the zoom (a cell is
// 2^zoom pixels: "x16", "x1/8").
std::string mapSummary(int width, int height, size_t strays, int zoom);

// A cell under the pointer: "column,row #RRGGBB " then what its colour stands for, or, for a
// colour that stands for a texture and an object both, both names: a name that fits in half
// the room whole and the other in what remains, or else each in half.
std::string cellHover(int column, int row, uint32_t pixel, const std::string& what,
                      const std::string& object, size_t room);

// A stray cell, with the marker it was meant to be (level/MeantMarker) and `what` that marker
// stands for: "column,row #RRGGBB no marker, meant #RRGGBB (what)", "... blend, meant
// #RRGGBB (what)" when it blends two neighbours' markers, or "... no marker within N".
std::string strayHover(int column, int row, uint32_t pixel, const Meant& meant,
                       const std::string& what, int snap, size_t room);
