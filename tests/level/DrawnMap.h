#pragma once

#include "level/MapCanvas.h"

#include <string>
#include <vector>

// Small maps written as text for the editing tests, a character a cell: '.' is an empty cell
// and any other character an opaque colour of its own; '?' reads a colour no character drew.

inline uint32_t drawnColour(char cell) {
    return cell == '.' ? 0u : 0xFF000000u | uint8_t(cell);
}

inline MapCanvas drawnMap(const std::vector<std::string>& rows) {
    std::vector<uint32_t> pixels;
    for (const std::string& row : rows)
        for (const char cell : row)
            pixels.push_back(drawnColour(cell));
    return MapCanvas(int(rows.empty() ? 0 : rows[0].size()), int(rows.size()), pixels);
}

inline std::vector<std::string> drawing(const MapCanvas& map) {
    std::vector<std::string> rows(size_t(map.height()), std::string(size_t(map.width()), '?'));
    for (int row = 0; row < map.height(); ++row)
        for (int column = 0; column < map.width(); ++column) {
            const uint32_t pixel = map.at(column, row);
            const char cell = pixel == 0 ? '.' : char(pixel & 0xFF);
            if (drawnColour(cell) == pixel)
                rows[size_t(row)][size_t(column)] = cell;
        }
    return rows;
}

// An empty map of that size.
inline std::vector<std::string> emptyRows(int width, int height) {
    return std::vector<std::string>(size_t(height), std::string(size_t(width), '.'));
}
