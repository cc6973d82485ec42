// makefont FONT.psf OUT.png
//
// Turns a console font in PSF format (version 1 or 2, uncompressed: pipe .psf.gz files
// through gzip -dc first) into the viewer's glyph sheet: 16 by 8 cells of the font's glyph
// size holding the glyphs for codes 32 to 127, opaque white on transparent. Codes are mapped
// to glyphs through the font's Unicode table when it has one.
#include "tools/GlyphSheet.h"
#include "tools/PsfFont.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: makefont FONT.psf OUT.png\n");
        return 2;
    }
    const std::string input = argv[1], output = argv[2];
    PsfFont font;
    std::string error;
    if (!font.load(input, error)) {
        std::fprintf(stderr, "makefont: %s\n", error.c_str());
        return 1;
    }
    std::vector<uint32_t> missing;
    const Canvas sheet = GlyphSheet::draw(font, missing);
    for (uint32_t code : missing)
        std::fprintf(stderr, "makefont: %s: no glyph for code %u; its cell stays empty\n",
                     input.c_str(), code);
    if (!sheet.save(output)) {
        std::fprintf(stderr, "makefont: %s: cannot be written\n", output.c_str());
        return 1;
    }
    std::printf("%s: %dx%d sheet of %dx%d glyphs from %s\n", output.c_str(), sheet.width(),
                sheet.height(), font.width(), font.height(), input.c_str());
    return 0;
}
