#include "tests/app/ViewerScreen.h"

#include <cstdio>

namespace {

std::string hex(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(rgb & 0xFFFFFF));
    return text;
}

std::string characters(int n) {
    return std::to_string(n) + " characters";
}

} // namespace

int labelWidth(int characters) {
    return 7 * characters + 1;
}

int barWidth(const Screenshot& shot, int x, int y) {
    int width = 0;
    while (x + width < shot.width && shot.at(x + width, y) == black)
        ++width;
    return width;
}

int captionWidth(const Screenshot& shot) {
    return barWidth(shot, 0, 5);
}

int rowY(int row, int spacing) {
    return 26 + row * spacing;
}

bool pageNumberShown(const Screenshot& shot, int characters) {
    return barWidth(shot, shot.width - labelWidth(characters), 5) == labelWidth(characters);
}

int bottomLineWidth(const Screenshot& shot, int line) {
    return barWidth(shot, 0, 710 - 16 * line);
}

int statusWidth(const Screenshot& shot) {
    return barWidth(shot, 0, 22);
}

bool captionHasGlyphs(const Screenshot& shot) {
    int ink = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < labelWidth(9); ++x)
            ink += shot.at(x, y) == black;
    }
    return ink > 0 && ink < labelWidth(9) * 15 / 2;
}

Sight pixelIs(int x, int y, uint32_t rgb) {
    return {hex(rgb) + " at " + std::to_string(x) + "," + std::to_string(y),
            [=](const Screenshot& shot) { return shot.at(x, y) == rgb; }};
}

Sight captionOf(int n) {
    return {"a caption of " + characters(n),
            [=](const Screenshot& shot) { return captionWidth(shot) == labelWidth(n); }};
}

Sight statusOf(int n) {
    return {"a status line of " + characters(n),
            [=](const Screenshot& shot) { return statusWidth(shot) == labelWidth(n); }};
}

Sight both(const Sight& first, const Sight& second) {
    return {first.what + " and " + second.what,
            [=](const Screenshot& shot) { return first.shown(shot) && second.shown(shot); }};
}

Sight bottomLineOf(int line, int n) {
    const int width = n ? labelWidth(n) : 0;
    return {"bottom line " + std::to_string(line) + (n ? " of " + characters(n) : " empty"),
            [=](const Screenshot& shot) { return bottomLineWidth(shot, line) == width; }};
}

Sight pageNumberOf(int n, bool shown) {
    return {(shown ? "a page number of " : "no page number of ") + characters(n),
            [=](const Screenshot& shot) { return pageNumberShown(shot, n) == shown; }};
}
