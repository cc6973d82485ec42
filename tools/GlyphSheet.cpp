#include "tools/GlyphSheet.h"

Canvas GlyphSheet::draw(const PsfFont& font, std::vector<uint32_t>& missing) {
    const int w = font.width(), h = font.height();
    Canvas sheet(columns * w, rows * h, 0x00000000u);
    for (uint32_t code = firstCode; code <= lastCode; ++code) {
        const int i = int(code - firstCode);
        int glyph = font.glyphFor(code);
        // Console fonts rarely map DEL; code page 437 shows a house there, so use that.
        if (glyph < 0 && code == 127)
            glyph = font.glyphFor(0x2302);
        if (glyph < 0) {
            missing.push_back(code);
            continue;
        }
        const int left = i % columns * w, top = i / columns * h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (font.pixel(glyph, x, y))
                    sheet.set(left + x, top + y, 0xFFFFFFFFu);
    }
    return sheet;
}
