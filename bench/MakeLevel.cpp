// makelevel [--map[=WxH]] FOLDER TEXTURES [DEMO]: writes a benchmark level (see
// LevelGenerator.h); with --map, also a painted map that holds still (paintStillMap), 200 by
// 150 cells or W by H (--map=8192x8192, for the viewer's memory on a big map).

#include "bench/LevelGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    const bool map = first == "--map" || first.rfind("--map=", 0) == 0;
    int mapWidth = 200, mapHeight = 150;
    if (map) {
        if (first.size() > 6 &&
            (std::sscanf(first.c_str() + 6, "%dx%d", &mapWidth, &mapHeight) != 2 || mapWidth <= 0 ||
             mapHeight <= 0))
            mapWidth = 0;
        --argc;
        ++argv;
    }
    if (argc < 3 || std::atoi(argv[2]) <= 0 || mapWidth <= 0) {
        std::fprintf(stderr, "usage: makelevel [--map[=WxH]] FOLDER TEXTURES [DEMO_FOLDER]\n");
        return 2;
    }
    const std::string demo = argc > 3 ? argv[3] : LEVELCOLORS_DEMO_DIR;
    GeneratedLevel level;
    if (!generateLevel(argv[1], std::atoi(argv[2]), demo, level) ||
        (map && !paintStillMap(argv[1], std::atoi(argv[2]), mapWidth, mapHeight)))
        return 1;
    std::printf("makelevel: %s: %d textures (%d animated, %d showone), %d objects, %d images, "
                "%.1f MiB\n",
                argv[1], level.textures, level.animated, level.showOne, level.objects, level.images,
                double(level.bytes) / 1048576.0);
    return 0;
}
