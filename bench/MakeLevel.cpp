// makelevel [--map] FOLDER TEXTURES [DEMO]: writes a benchmark level (see LevelGenerator.h);
// with --map, also a painted map of 200 by 150 cells that holds still (paintStillMap).

#include "bench/LevelGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const bool map = argc > 1 && std::string(argv[1]) == "--map";
    if (map) {
        --argc;
        ++argv;
    }
    if (argc < 3 || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: makelevel [--map] FOLDER TEXTURES [DEMO_FOLDER]\n");
        return 2;
    }
    const std::string demo = argc > 3 ? argv[3] : LEVELCOLORS_DEMO_DIR;
    GeneratedLevel level;
    if (!generateLevel(argv[1], std::atoi(argv[2]), demo, level) ||
        (map && !paintStillMap(argv[1], std::atoi(argv[2]), 200, 150)))
        return 1;
    std::printf("makelevel: %s: %d textures (%d animated, %d showone), %d objects, %d images, "
                "%.1f MiB\n",
                argv[1], level.textures, level.animated, level.showOne, level.objects, level.images,
                double(level.bytes) / 1048576.0);
    return 0;
}
