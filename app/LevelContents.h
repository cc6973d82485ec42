#pragma once

#include "platform/FileStamp.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Sprite;

// A level's colours, filled by a scan and read by the pages. A colour is the swatch's
// top-left pixel in the display's 32-bit format with alpha. The maps do not own the sprites:
// the sprite catalogue does, until the level is unloaded.
struct LevelContents {
    std::map<uint32_t, Sprite*> textureByColor;        // later files overwrite earlier
    std::map<uint32_t, std::string> objectNameByColor; // "characters/hero.txt"
    std::map<uint32_t, Sprite*> swatchByColor;         // drawn at 8 by 8
    std::vector<uint32_t> levelColors;                 // one per file, in scan order
    std::optional<uint32_t> walkBehindColor;           // none when its swatch is missing
    std::optional<uint32_t> walkIntoColor;

    // A colour's texture, swatch and description file; null or "" for a colour without one.
    Sprite* textureOf(uint32_t colour) const { return find(textureByColor, colour); }
    Sprite* swatchOf(uint32_t colour) const { return find(swatchByColor, colour); }
    std::string objectNameOf(uint32_t colour) const { return find(objectNameByColor, colour); }

  private:
    template <typename Map>
    static typename Map::mapped_type find(const Map& map, uint32_t colour) {
        const auto found = map.find(colour);
        return found == map.end() ? typename Map::mapped_type() : found->second;
    }
};

// What a scan leaves for the next one to keep instead of reading files again: the stamps of
// the files it read, taken before it read them, and the colours of the swatches it read. The
// image sprites themselves stay in the sprite catalogue.
struct KeptFiles {
    std::map<std::string, FileStamp> stamps;
    std::map<std::string, uint32_t> swatchColours; // swatch path -> colour
};
