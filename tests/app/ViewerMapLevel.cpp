#include "tests/app/ViewerMapLevel.h"

#include "tests/app/ViewerScreen.h"

int cellX(int column, int side) {
    return column * side;
}

int cellY(int row, int side) {
    return 32 + row * side;
}

bool lavaShown(uint32_t pixel) {
    return pixel == 0xFF0000 || pixel == 0x0000FF;
}

const Sight mapShown = {"the map's caption", [](const Screenshot& shot) {
                            return captionWidth(shot) == labelWidth(23);
                        }};

const Sight mapView = {"the map's caption and its brick at 8,40", [](const Screenshot& shot) {
                           return captionWidth(shot) == labelWidth(23) &&
                                  shot.at(8, 40) == brickArt;
                       }};

Screenshot afterLavaPlays(const ViewerRun& viewer, int x, int y) {
    const std::string where = " at " + std::to_string(x) + "," + std::to_string(y);
    const uint32_t first =
        viewer.waitFor("lava" + where, [&](const Screenshot& s) { return lavaShown(s.at(x, y)); })
            .at(x, y);
    viewer.waitFor("lava's other frame" + where, [&](const Screenshot& s) {
        return lavaShown(s.at(x, y)) && s.at(x, y) != first;
    });
    return viewer.waitFor("lava's first frame again" + where,
                          [&](const Screenshot& s) { return s.at(x, y) == first; });
}
