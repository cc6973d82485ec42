// makelevel FOLDER TEXTURES [DEMO]: writes a benchmark level (see LevelGenerator.h).

#include "bench/LevelGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: makelevel FOLDER TEXTURES [DEMO_FOLDER]\n");
        return 2;
    }
    const std::string demo = argc > 3 ? argv[3] : LEVELCOLORS_DEMO_DIR;
    GeneratedLevel level;
    if (!generateLevel(argv[1], std::atoi(argv[2]), demo, level))
        return 1;
    std::printf("makelevel: %s: %d textures (%d animated, %d showone), %d objects, %d images, "
                "%.1f MiB\n",
                argv[1], level.textures, level.animated, level.showOne, level.objects, level.images,
                double(level.bytes) / 1048576.0);
    return 0;
}
