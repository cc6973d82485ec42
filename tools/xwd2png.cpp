// xwd2png OUT.png < screenshot.xwd: turns an xwd screenshot into a PNG file, for the demo
// script's screenshot on machines without an image converter.

#include "pngwriter/PngWriter.h"
#include "tools/XwdImage.h"

#include <cstdio>
#include <iostream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xwd2png OUT.png < screenshot.xwd\n");
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(std::cin)),
                            std::istreambuf_iterator<char>());
    XwdImage image = decodeXwd(bytes);
    if (image.width == 0) {
        std::fprintf(stderr, "xwd2png: standard input is no 32-bit xwd screenshot\n");
        return 1;
    }
    for (uint32_t& pixel : image.pixels)
        pixel |= 0xFF000000u;
    if (!writePng(argv[1], image.width, image.height, image.pixels)) {
        std::fprintf(stderr, "xwd2png: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
