#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How a map's PNG file stores its colours.
enum class MapColourType { Grey, GreyAlpha, Rgb, Rgba, Palette };

// A tEXt, zTXt or iTXt chunk of a map, kept through a save.
struct MapTextChunk {
    std::string key;
    std::string text;
    bool compressed = false;    // zTXt, or a compressed iTXt
    bool international = false; // iTXt: UTF-8, with a language and a translated key
    std::string language;
    std::string translatedKey;
};

// A map as read from its PNG file or as it is to be saved: its pixels, one a cell, and what
// kind of file it was, so that a save keeps that kind where the colours allow.
struct MapImage {
    // The largest side a map may have (a map made anew or read).
    static constexpr int maxSide = 16384;

    struct Kind {
        MapColourType type = MapColourType::Rgba;
        int bitDepth = 8; // of the file's samples (palette indices): 1, 2, 4, 8 or 16
        // A palette map's entries in file order, 0xAARRGGBB, alpha from its tRNS chunk.
        std::vector<uint32_t> palette;
        std::vector<MapTextChunk> text;
        // The colour-management chunks the file had ("gAMA", "cHRM", "sRGB", "iCCP"), which
        // nothing applies (markers are raw sample values) and a save drops.
        std::vector<std::string> colourManagement;
    };

    int width = 0;
    int height = 0;
    // 0xAARRGGBB words, the layout of the level's marker colours, rows from the top. The
    // colour of a pixel whose alpha is 0 is kept as it was but tells nothing.
    std::vector<uint32_t> pixels;
    Kind kind;

    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
