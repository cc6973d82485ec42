#include "gfx/BitmapFont.h"

#include <cstring>

namespace {

constexpr int glyphCount = 96;
constexpr int firstGlyphCode = 32;
constexpr unsigned char lastGlyphCode = 127;
constexpr unsigned char substituteGlyph = '?';
// A cell's size in texture coordinates: the grid is 16 cells across and 8 down.
constexpr double cellWidth = 0.0625;
constexpr double cellHeight = 0.125;

} // namespace

uint32_t compileFont(const GlEntryPoints& gl, double scale, double glyphWidth, double glyphHeight,
                     uint32_t texture) {
    const GLuint first = gl.glGenLists(glyphCount);
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    const GLint quadHeight = GLint(scale * glyphHeight);
    const GLint quadWidth = GLint(scale * glyphWidth);
    // One pixel less than the glyph width: neighbouring glyphs share a column.
    const double advance = scale * glyphWidth - 1.0;
    for (int i = 0; i < glyphCount; ++i) {
        const double left = (i % 16) * cellWidth;
        const double top = (i / 16) * cellHeight;
        gl.glNewList(first + GLuint(i), GL_COMPILE);
        gl.glBegin(GL_QUADS);
        gl.glTexCoord2f(float(left), float(top + cellHeight));
        gl.glVertex2i(0, quadHeight);
        gl.glTexCoord2f(float(left + cellWidth), float(top + cellHeight));
        gl.glVertex2i(quadWidth, quadHeight);
        gl.glTexCoord2f(float(left + cellWidth), float(top));
        gl.glVertex2i(quadWidth, 0);
        gl.glTexCoord2f(float(left), float(top));
        gl.glVertex2i(0, 0);
        gl.glEnd();
        gl.glTranslated(advance, 0, 0);
        gl.glEndList();
    }
    return first;
}

void drawFontText(const GlEntryPoints& gl, uint32_t texture, uint32_t lists, int32_t x, int32_t y,
                  std::string text, int viewWidth, int viewHeight) {
    // Only the text before the first zero byte is drawn; bytes without a glyph would call
    // lists outside this font's block, so they become the font's '?'.
    text.resize(std::strlen(text.c_str()));
    for (char& c : text) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (code < firstGlyphCode || code > lastGlyphCode)
            c = char(substituteGlyph);
    }

    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glDisable(GL_DEPTH_TEST);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glPushMatrix();
    gl.glLoadIdentity();
    gl.glOrtho(0, viewWidth, viewHeight, 0, -1, 1);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glPushMatrix();
    gl.glLoadIdentity();
    gl.glTranslated(x, y, 0);
    gl.glListBase(lists - firstGlyphCode);
    gl.glCallLists(GLsizei(text.size()), GL_UNSIGNED_BYTE, text.data());
    gl.glMatrixMode(GL_PROJECTION);
    gl.glPopMatrix();
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glPopMatrix();
    gl.glEnable(GL_DEPTH_TEST);
}
