#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "level/LevelLayout.h"
#include "platform/FileStamp.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Sprite;

// The level's colours, filled by a scan and read by the pages. A colour is the swatch's
// top-left pixel in the display's 32-bit format with alpha. The maps do not own the sprites:
// the sprite catalogue does, until unloadLevel.
struct LevelContents {
    std::map<uint32_t, Sprite*> textureByColor;        // later files overwrite earlier
    std::map<uint32_t, std::string> objectNameByColor; // "characters/hero.txt"
    std::map<uint32_t, Sprite*> swatchByColor;         // drawn at 8 by 8
    std::vector<uint32_t> levelColors;                 // one per file, in scan order
    std::optional<uint32_t> walkBehindColor;           // none when its swatch is missing
    std::optional<uint32_t> walkIntoColor;
};

// The level on screen; a rescan builds the next one beside it and swaps it in whole, so that
// no frame shows a level half scanned again. The names below are its members.
extern LevelContents shownLevel;
extern std::map<uint32_t, Sprite*>& textureByColor;
extern std::map<uint32_t, std::string>& objectNameByColor;
extern std::map<uint32_t, Sprite*>& swatchByColor;
extern std::vector<uint32_t>& levelColors;
extern std::optional<uint32_t>& walkBehindColor;
extern std::optional<uint32_t>& walkIntoColor;

// What a scan leaves for the next one to keep instead of reading files again: the stamps of
// the files it read, taken before it read them, and the colours of the swatches it read. The
// image sprites themselves stay in the sprite catalogue.
struct KeptFiles {
    std::map<std::string, FileStamp> stamps;
    std::map<std::string, uint32_t> swatchColours; // swatch path -> colour
};

// Scans the working folder's level (a LevelScan run to its end), file by file in the order
// levelFiles (level/LevelLayout) gives: textures from "textures/*.png", then "textures/*.txt", the
// two collision swatches, then the objects of "characters", "events", "cutscenes" and "entities". A
// file whose swatch cannot be read gets one line (on standard error, as each of the scan's problem
// lines) and no colour; missing folders
// contribute nothing. Given `kept`, a swatch it holds the colour of, and whose sprite the catalogue
// holds, is not read again, and `kept` is left holding what this scan read.
void loadLevel(KeptFiles* kept = nullptr);
// One file of that list: its sprite, swatch and colour into `into`; a swatch colour `kept`
// holds is taken from there, and the colour read is left there. Its problems go to `sink`, its
// images come from the catalogue's image source.
void scanFile(const LevelFile& file, KeptFiles* kept, LevelContents& into, DiagnosticSink& sink);
// After the last file: a collision colour that no file carries gets its own swatch image.
void giveCollisionColoursSwatches(LevelContents& into);

// Empties the containers, then the sprite catalogue (freeing the sprites and deleting their
// textures), so that loadLevel can scan the level again from its files. Fonts and decorations
// are not the level's and stay.
void unloadLevel();

// The top-left pixel of an image in the display's format, read through the catalogue's image
// source; none (silently) when the image cannot be loaded, or after its line to `sink` when it
// is refused. Needs the video mode set.
std::optional<uint32_t> readSwatchColor(const std::string& path,
                                        DiagnosticSink& sink = standardError());
