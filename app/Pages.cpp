#include "app/Pages.h"

#include "app/Level.h"
#include "app/ShortenedPath.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "sprites/Sprite.h"

#include <algorithm>
#include <cstdio>

namespace {

struct PageLayout {
    const char* caption;
    int32_t rowSpacing;
    size_t rowsAtDefaultHeight; // rows per page in a window of the default height
};

constexpr int32_t captionY = 13;
constexpr int32_t firstRowY = 26;
constexpr int32_t labelDrop = 10;
constexpr int32_t textureX = 10;
constexpr PageLayout texturesPage = {"TEXTURES:", 32, 15};
constexpr PageLayout objectsPage = {"OBJECTS:", 13, 40};
constexpr PageLayout collisionPage = {"COLLISION COLORS:", 13, 0};

// The find line and the two hover lines sit just above the overlay, whose top is 80 pixels
// above the window's bottom edge: the find line lowest, each line one glyph (16 pixels) high.
constexpr int32_t overlayRise = 80;
constexpr int32_t lineHeight = 16;
constexpr int bottomLines = 3;

// The top of the glyphs of bottom line `line`: 0 the find line, then the hover lines upwards.
int32_t bottomLineTop(int line) {
    return int32_t(Screen::get().view.h) - overlayRise - lineHeight * (line + 1);
}

// Rows per page scale with the window's height (15 and 40 at 800 pixels, rounded down), and
// always end above the bottom lines.
size_t rowsPerPage(const PageLayout& page) {
    const int32_t height = Screen::get().view.h;
    const size_t scaled = page.rowsAtDefaultHeight * size_t(height) / size_t(screenHeight);
    const int32_t room = bottomLineTop(bottomLines - 1) - firstRowY;
    return std::min(scaled, room > 0 ? size_t(room / page.rowSpacing) : 0);
}

// With the info overlay the texture box narrows, so that the path and colour beside it
// have room and the texture never covers them.
constexpr int32_t infoTextureRight = textureX + 64;
constexpr int32_t infoTextX = infoTextureRight + 4;
// The small font's glyphs advance 7 pixels; a label of n characters is 7n + 1 wide.
constexpr int32_t glyphAdvance = 7;

template <typename Map>
typename Map::mapped_type lookUp(const Map& map, uint32_t colour) {
    const auto found = map.find(colour);
    return found == map.end() ? typename Map::mapped_type() : found->second;
}

std::string hexOf(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(colour & 0xFFFFFFu));
    return text;
}

// How many characters of the small font fit in `width` pixels.
size_t charactersIn(int32_t width) {
    return width > 0 ? size_t((width - 1) / glyphAdvance) : 0;
}

// A path as it fits between x and the window's right edge, leaving room for `kept`
// characters after it.
std::string fittedPath(const std::string& path, int32_t x, size_t kept) {
    const size_t room = charactersIn(Screen::get().view.w - x);
    return shortenPath(path, room > kept ? room - kept : 0);
}

// A 1-pixel frame in dark grey, so that white and near-white swatches show on any background.
constexpr uint8_t frameGrey = 0x40;
constexpr int32_t framedSide = 10;

void drawFrame(int32_t x, int32_t y, int32_t side) {
    Renderer& gl = Renderer::get();
    const TexCoords none = {0, 0, 0, 0};
    gl.glColor4ub(frameGrey, frameGrey, frameGrey, 0xFF);
    const uint16_t length = uint16_t(side), one = 1;
    const int16_t left = int16_t(x), top = int16_t(y);
    const int16_t right = int16_t(x + side - 1), bottom = int16_t(y + side - 1);
    for (const Rect edge : {Rect{left, top, length, one}, Rect{left, bottom, length, one},
                            Rect{left, top, one, length}, Rect{right, top, one, length}})
        Screen::get().drawQuad(0, &none, edge); // texture 0 leaves the colour as it is
    gl.glColor4f(1, 1, 1, 1);
}

// The swatch at (0, y); with the info overlay one pixel lower and to the right, inside its
// frame from x 0 to 9.
void drawSwatch(uint32_t colour, int32_t y, bool infoShown) {
    if (infoShown)
        drawFrame(0, y, framedSide);
    if (Sprite* swatch = lookUp(swatchByColor, colour))
        swatch->draw(infoShown ? 1 : 0, infoShown ? y + 1 : y, 0);
}

void drawCollisionRow(const std::optional<uint32_t>& colour, const char* label, int32_t y,
                      bool infoShown) {
    if (colour)
        drawSwatch(*colour, y, infoShown);
    std::string text = label;
    if (infoShown)
        text += colour ? " " + hexOf(*colour) : " none";
    Screen::get().drawLabel(text, 10, y + labelDrop);
}

// Which rows a page lists: the textures page those with a sprite, the objects page those
// with a description file.
bool listedOn(ViewMode viewMode, uint32_t colour) {
    if (viewMode == ViewMode::Textures)
        return lookUp(textureByColor, colour) != nullptr;
    return !lookUp(objectNameByColor, colour).empty();
}

// The size a sprite is drawn at: its placement, or the box of a sprite that draws through a
// part of its own ("showone").
Rect drawnSize(Sprite* sprite) {
    const Rect placement = sprite->getPlacement();
    return placement.w != 0 && placement.h != 0 ? placement : sprite->getBox();
}

// Draws a sprite at (x, y), scaled by `scale` about that point. The entry-point table has no
// glScale: glOrtho of the box -1/scale..1/scale with depths 1 and -1 multiplies the matrix
// by exactly diag(scale, scale, 1).
void drawScaled(Sprite* sprite, int32_t x, int32_t y, double scale) {
    Renderer& gl = Renderer::get();
    gl.glPushMatrix();
    gl.glTranslated(x, y, 0);
    gl.glOrtho(-1 / scale, 1 / scale, -1 / scale, 1 / scale, 1, -1);
    sprite->draw(0, 0, 0);
    gl.glPopMatrix();
}

// "page N of M" at the right of the caption line.
void drawPageNumber(ViewMode viewMode, int pageIndex) {
    const PageCounts pages = countPages();
    const int pageCount = viewMode == ViewMode::Textures  ? pages.textures
                          : viewMode == ViewMode::Objects ? pages.objects
                                                          : 1;
    const int shown = viewMode == ViewMode::CollisionColors ? 1 : pageIndex + 1;
    const std::string text = "page " + std::to_string(shown) + " of " + std::to_string(pageCount);
    const int32_t width = glyphAdvance * int32_t(text.size()) + 1;
    Screen::get().drawLabel(text, Screen::get().view.w - width, captionY);
}

} // namespace

void drawTextureRow(uint32_t colour, int32_t y, bool infoShown) {
    drawSwatch(colour, y, infoShown);
    Sprite* texture = lookUp(textureByColor, colour);
    const Rect size = drawnSize(texture);
    const int32_t boxWidth = (infoShown ? infoTextureRight : Screen::get().view.w) - textureX;
    const int32_t boxHeight = texturesPage.rowSpacing;
    if (size.w > boxWidth || size.h > boxHeight)
        drawScaled(texture, textureX, y,
                   std::min(double(boxWidth) / size.w, double(boxHeight) / size.h));
    else
        texture->draw(textureX, y, 0);
    texture->update();
    // The path and colour on two lines, glyph tops at the row's y and 15 below.
    if (infoShown) {
        Screen::get().drawLabel(fittedPath(texture->getName(), infoTextX, 0), infoTextX, y + 14);
        Screen::get().drawLabel(hexOf(colour), infoTextX, y + 29);
    }
}

void drawObjectRow(uint32_t colour, int32_t y, bool infoShown) {
    drawSwatch(colour, y, infoShown);
    // The colour is never cut: the path gives way.
    const std::string colourText = infoShown ? " " + hexOf(colour) : "";
    const std::string label =
        fittedPath(lookUp(objectNameByColor, colour), textureX, colourText.size()) + colourText;
    Screen::get().drawLabel(label, textureX, y + labelDrop);
}

void drawCollisionRows(int32_t y, bool infoShown) {
    drawCollisionRow(walkBehindColor, "Walk Behind", y, infoShown);
    drawCollisionRow(walkIntoColor, "Walk Into", y + collisionPage.rowSpacing, infoShown);
}

PageCounts countPages() {
    // Textures page k starts at entry k times the rows per page of the shared list, where the
    // textures come first;
    // objects pages count objects only.
    size_t lastTexture = 0, objects = 0;
    for (size_t position = 0; position < levelColors.size(); ++position) {
        if (listedOn(ViewMode::Textures, levelColors[position]))
            lastTexture = position + 1;
        if (listedOn(ViewMode::Objects, levelColors[position]))
            ++objects;
    }
    PageCounts pages;
    const size_t texturesRows = std::max<size_t>(1, rowsPerPage(texturesPage));
    const size_t objectsRows = std::max<size_t>(1, rowsPerPage(objectsPage));
    if (lastTexture > 0)
        pages.textures = int((lastTexture - 1) / texturesRows) + 1;
    if (objects > 0)
        pages.objects = int((objects - 1) / objectsRows) + 1;
    return pages;
}

void drawPage(ViewMode viewMode, int pageIndex, bool infoShown) {
    const PageLayout& page = viewMode == ViewMode::Textures  ? texturesPage
                             : viewMode == ViewMode::Objects ? objectsPage
                                                             : collisionPage;
    Screen::get().drawLabel(page.caption, 0, captionY);
    if (infoShown)
        drawPageNumber(viewMode, pageIndex);
    if (viewMode == ViewMode::CollisionColors) {
        drawCollisionRows(firstRowY, infoShown);
        return;
    }
    // The textures pages start at a position of the shared list, the textures coming first;
    // the objects pages skip the objects of the pages before.
    const size_t pageStep = rowsPerPage(page);
    const size_t start = pageStep * size_t(pageIndex);
    size_t position = viewMode == ViewMode::Textures ? start : 0;
    size_t skipped = 0;
    int32_t y = firstRowY;
    size_t rows = 0;
    for (; position < levelColors.size() && rows < pageStep; ++position) {
        const uint32_t colour = levelColors[position];
        if (!listedOn(viewMode, colour))
            continue;
        if (viewMode == ViewMode::Objects && skipped < start) {
            ++skipped;
            continue;
        }
        if (viewMode == ViewMode::Textures)
            drawTextureRow(colour, y, infoShown);
        else
            drawObjectRow(colour, y, infoShown);
        y += page.rowSpacing;
        ++rows;
    }
}
