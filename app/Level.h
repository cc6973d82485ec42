#pragma once

#include "app/KeyTable.h"
#include "app/LevelContents.h"
#include "app/LevelFileScan.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Sprite;

// The level on screen; a rescan builds the next one beside it and swaps it in whole, so that
// no frame shows a level half scanned again. The names below are its members. Only what swaps
// it (the viewer's main and LiveReload) reaches it; everything else is given the contents.
extern LevelContents shownLevel;
extern std::map<uint32_t, Sprite*>& textureByColor;
extern std::map<uint32_t, std::string>& objectNameByColor;
extern std::map<uint32_t, Sprite*>& swatchByColor;
extern std::vector<uint32_t>& levelColors;
extern std::optional<uint32_t>& walkBehindColor;
extern std::optional<uint32_t>& walkIntoColor;

// Scans the working folder's level into the shown level (a LevelScan run to its end), file by
// file in the order levelFiles (level/LevelLayout) gives: textures from "textures/*.png", then
// "textures/*.txt", the two collision swatches, then the objects of "characters", "events",
// "cutscenes" and "entities". A file whose swatch cannot be read gets one line (on standard
// error, as each of the scan's problem lines) and no colour; missing folders contribute nothing.
// Given `kept`, a swatch it holds the colour of, and whose sprite the catalogue holds, is not
// read again, and `kept` is left holding what this scan read.
void loadLevel(KeptFiles* kept = nullptr);

// Empties the shown level, then the sprite catalogue (freeing the sprites and deleting their
// textures), so that loadLevel can scan the level again from its files. Fonts and decorations
// are not the level's and stay.
void unloadLevel();

// The page of the shown level (app/Pages), for the tests and benchmarks that draw it.
void drawPage(const ViewState& state);
