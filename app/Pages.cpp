#include "app/Pages.h"

#include "app/MapStatusText.h"
#include "app/PageList.h"
#include "app/ShortenedPath.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "level/ColourText.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/Sprite.h"

#include <algorithm>

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
// The typing cursor's rows in a glyph's 16: those of a capital letter and a descender.
constexpr int32_t cursorTop = 2;
constexpr int32_t cursorHeight = 13;

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

// The counts of the caption line and the find line, written one way: plain digits ("3223"), as
// the page numbers are.
std::string countText(size_t count) {
    return std::to_string(count);
}

// A path as it fits between x and the window's right edge, leaving room for `kept`
// characters after it.
std::string fittedPath(const std::string& path, int32_t x, size_t kept) {
    const size_t room = Screen::labelCharactersIn(Screen::get().view.w - x);
    return shortenPath(path, room > kept ? room - kept : 0);
}

// A 1-pixel frame in dark grey, so that white and near-white swatches show on any background.
constexpr uint32_t frameGrey = 0x404040;
constexpr int32_t framedSide = 10;

// The mark of a row a click on a map cell went to: a black frame 2 pixels wide around the
// row's band (from y, `height` pixels down, the window's width across), just outside it above
// and below and on the window's edges at the sides.
constexpr int32_t markWidth = 2;

void drawMark(int32_t y, int32_t height) {
    const uint16_t w = Screen::get().view.w, across = uint16_t(markWidth);
    const uint16_t down = uint16_t(height + 2 * markWidth);
    const int16_t top = int16_t(y - markWidth), right = int16_t(w - markWidth);
    for (const Rect edge : {Rect{0, top, w, across}, Rect{0, int16_t(y + height), w, across},
                            Rect{0, top, across, down}, Rect{right, top, across, down}})
        Screen::get().fillRect(edge, 0x000000);
}

// The mark of the brush's row: a black frame of dashes, 2 pixels wide, 6 pixels drawn and 4
// left, round the row's band as the clicked row's frame, which it shows apart from.
constexpr int32_t dash = 6, dashGap = 4;

void drawBrushMark(int32_t y, int32_t height) {
    const int32_t w = Screen::get().view.w, across = markWidth;
    const int32_t top = y - markWidth, bottom = y + height, down = height + 2 * markWidth;
    for (int32_t x = 0; x < w; x += dash + dashGap) {
        const uint16_t length = uint16_t(std::min(dash, w - x));
        Screen::get().fillRect(Rect{int16_t(x), int16_t(top), length, uint16_t(across)}, 0x000000);
        Screen::get().fillRect(Rect{int16_t(x), int16_t(bottom), length, uint16_t(across)},
                               0x000000);
    }
    for (int32_t d = 0; d < down; d += dash + dashGap) {
        const uint16_t length = uint16_t(std::min(dash, down - d));
        for (const int32_t x : {0, w - markWidth})
            Screen::get().fillRect(Rect{int16_t(x), int16_t(top + d), uint16_t(across), length},
                                   0x000000);
    }
}

void drawFrame(int32_t x, int32_t y, int32_t side) {
    const uint16_t length = uint16_t(side), one = 1;
    const int16_t left = int16_t(x), top = int16_t(y);
    const int16_t right = int16_t(x + side - 1), bottom = int16_t(y + side - 1);
    for (const Rect edge : {Rect{left, top, length, one}, Rect{left, bottom, length, one},
                            Rect{left, top, one, length}, Rect{right, top, one, length}})
        Screen::get().fillRect(edge, frameGrey);
}

// The swatch at (0, y); with the info overlay one pixel lower and to the right, inside its
// frame from x 0 to 9.
void drawSwatch(const LevelContents& level, uint32_t colour, int32_t y, bool infoShown) {
    if (infoShown)
        drawFrame(0, y, framedSide);
    if (Sprite* swatch = level.swatchOf(colour))
        swatch->draw(infoShown ? 1 : 0, infoShown ? y + 1 : y, 0);
}

void drawCollisionRow(const LevelContents& level, const std::optional<uint32_t>& colour,
                      const char* label, int32_t y, bool infoShown) {
    if (colour)
        drawSwatch(level, *colour, y, infoShown);
    std::string text = label;
    if (infoShown)
        text += colour ? " " + hexColour(*colour) : " none";
    Screen::get().drawLabel(text, 10, y + labelDrop);
}

} // namespace

Rect drawnSize(Sprite* sprite) {
    const Rect placement = sprite->getPlacement();
    return placement.w != 0 && placement.h != 0 ? placement : sprite->getBox();
}

void drawScaled(Sprite* sprite, int32_t x, int32_t y, double scaleX, double scaleY) {
    // The entry-point table has no glScale: glOrtho of the box -1/scale..1/scale with depths
    // 1 and -1 multiplies the matrix by exactly diag(scaleX, scaleY, 1).
    Renderer& gl = Renderer::get();
    gl.glPushMatrix();
    gl.glTranslated(x, y, 0);
    gl.glOrtho(-1 / scaleX, 1 / scaleX, -1 / scaleY, 1 / scaleY, 1, -1);
    sprite->draw(0, 0, 0);
    gl.glPopMatrix();
}

namespace {

void drawAtCaptionRight(const std::string& text) {
    Screen::get().drawLabel(text, Screen::get().view.w - Screen::labelWidth(text.size()), captionY);
}

// "page N of M" at the right of the caption line.
void drawPageNumber(const ViewState& state, const LevelContents& level) {
    const bool paged = state.viewMode != ViewMode::CollisionColors;
    const int pageCount = paged ? countPages(state, level).of(state.viewMode) : 1;
    const int shown = paged ? state.pageIndex + 1 : 1;
    drawAtCaptionRight("page " + std::to_string(shown) + " of " + std::to_string(pageCount));
}

const PageLayout& layoutOf(ViewMode viewMode) {
    return viewMode == ViewMode::Textures  ? texturesPage
           : viewMode == ViewMode::Objects ? objectsPage
                                           : collisionPage;
}

// The rows of a paged view, with the filter it has, as many to a page as the window holds.
PageList listOf(const LevelContents& level, ViewMode viewMode, const std::string& filter) {
    return PageList(level, viewMode, filter, rowsPerPage(layoutOf(viewMode)));
}

void drawBottomLine(int line, const std::string& text) {
    Screen::get().drawLabel(text, 0, bottomLineTop(line) + 14);
}

// The find line, lowest of the bottom lines: the filter and how many rows pass it, while it
// is open for typing or a filter is kept. While it is open, a black block after the filter,
// one glyph wide, marks where the keys type.
void drawFindLine(const ViewState& state, const LevelContents& level) {
    const std::string filter = shownFilter(state);
    if (!state.typing && filter.empty())
        return;
    const ViewMode viewMode = state.viewMode;
    const std::string counts = ": " + countText(listOf(level, viewMode, filter).shownCount()) +
                               " of " + countText(listOf(level, viewMode, "").shownCount());
    drawBottomLine(0, "/" + filter + (state.typing ? " " : "") + counts);
    if (state.typing) {
        const int32_t advance = Screen::labelAdvance;
        const Rect cursor = {int16_t(advance * int32_t(1 + filter.size())),
                             int16_t(bottomLineTop(0) + cursorTop), uint16_t(advance),
                             uint16_t(cursorHeight)};
        Screen::get().fillRect(cursor, 0x000000);
    }
}

// The two hover lines above the find line: the row's path, shortened only when it does not
// fit, and below it its colour, a texture's size in pixels (and frame count for an
// animation), and how many other files carry the same colour.
void drawHoverLines(const LevelContents& level, ViewMode viewMode, uint32_t colour) {
    drawBottomLine(2, fittedPath(PageList::pathOf(level, viewMode, colour), 0, 0));
    std::string facts = hexColour(colour);
    if (viewMode == ViewMode::Textures) {
        Sprite* texture = level.textureOf(colour);
        const Rect size = drawnSize(texture);
        facts += " " + std::to_string(size.w) + "x" + std::to_string(size.h);
        if (const auto* animation = dynamic_cast<AnimatedSprite*>(texture))
            facts += ", " + std::to_string(animation->frames.size()) + " frames";
    }
    const std::vector<uint32_t>& colours = level.levelColors;
    const size_t others = size_t(std::count(colours.begin(), colours.end(), colour)) - 1;
    facts += ", " + std::to_string(others) + (others == 1 ? " other" : " others");
    drawBottomLine(1, facts);
}

} // namespace

void drawTextureRow(const LevelContents& level, uint32_t colour, int32_t y, bool infoShown) {
    drawSwatch(level, colour, y, infoShown);
    Sprite* texture = level.textureOf(colour);
    const Rect size = drawnSize(texture);
    const int32_t boxWidth = (infoShown ? infoTextureRight : Screen::get().view.w) - textureX;
    const int32_t boxHeight = texturesPage.rowSpacing;
    if (size.w > boxWidth || size.h > boxHeight) {
        const double scale = std::min(double(boxWidth) / size.w, double(boxHeight) / size.h);
        drawScaled(texture, textureX, y, scale, scale);
    } else
        texture->draw(textureX, y, 0);
    texture->update();
    // The path and colour on two lines, glyph tops at the row's y and 15 below.
    if (infoShown) {
        Screen::get().drawLabel(fittedPath(texture->getName(), infoTextX, 0), infoTextX, y + 14);
        Screen::get().drawLabel(hexColour(colour), infoTextX, y + 29);
    }
}

void drawObjectRow(const LevelContents& level, uint32_t colour, int32_t y, bool infoShown) {
    drawSwatch(level, colour, y, infoShown);
    // The colour is never cut: the path gives way.
    const std::string colourText = infoShown ? " " + hexColour(colour) : "";
    const std::string label =
        fittedPath(level.objectNameOf(colour), textureX, colourText.size()) + colourText;
    Screen::get().drawLabel(label, textureX, y + labelDrop);
}

void drawCollisionRows(const LevelContents& level, int32_t y, bool infoShown) {
    drawCollisionRow(level, level.walkBehindColor, "Walk Behind", y, infoShown);
    drawCollisionRow(level, level.walkIntoColor, "Walk Into", y + collisionPage.rowSpacing,
                     infoShown);
}

bool pageAnimates(const ViewState& state, const LevelContents& level) {
    if (state.viewMode != ViewMode::Textures)
        return false;
    const PageList list = listOf(level, state.viewMode, shownFilter(state));
    for (const size_t position : list.rowsOfPage(state.pageIndex)) {
        if (level.textureOf(level.levelColors[position])->animates())
            return true;
    }
    return false;
}

PageCounts countPages(const ViewState& state, const LevelContents& level) {
    PageCounts pages;
    pages.textures = listOf(level, ViewMode::Textures, state.texturesFilter).pageCount();
    pages.objects = listOf(level, ViewMode::Objects, state.objectsFilter).pageCount();
    return pages;
}

void drawPage(const ViewState& state, const LevelContents& level) {
    const ViewMode viewMode = state.viewMode;
    const PageLayout& page = layoutOf(viewMode);
    Screen::get().drawLabel(page.caption, 0, captionY);
    // While the level loads, how far it has come stands where the page number goes.
    if (state.loading && state.loading->files == 0)
        drawAtCaptionRight("listing files");
    else if (state.loading)
        drawAtCaptionRight("loading " + countText(state.loading->read) + " of " +
                           countText(state.loading->files) + " files");
    else if (state.infoShown)
        drawPageNumber(state, level);
    if (state.unsavedAsked)
        drawBottomLine(0, unsavedQuestion);
    if (viewMode == ViewMode::CollisionColors) {
        int32_t rowY = firstRowY;
        for (const std::optional<uint32_t>& colour : {level.walkBehindColor, level.walkIntoColor}) {
            if (colour && state.brush == colour)
                drawBrushMark(rowY, collisionPage.rowSpacing);
            rowY += collisionPage.rowSpacing;
        }
        drawCollisionRows(level, firstRowY, state.infoShown);
        return;
    }
    const std::vector<size_t> rows =
        listOf(level, viewMode, shownFilter(state)).rowsOfPage(state.pageIndex);
    const std::vector<uint32_t>& colours = level.levelColors;
    std::optional<uint32_t> hovered;
    // The marked row: the first row of its colour on the page, framed under what the row draws.
    const auto marked = std::find_if(rows.begin(), rows.end(), [&](size_t position) {
        return state.marked == colours[position];
    });
    if (marked != rows.end())
        drawMark(firstRowY + page.rowSpacing * int32_t(marked - rows.begin()), page.rowSpacing);
    const auto brush = std::find_if(rows.begin(), rows.end(), [&](size_t position) {
        return state.brush == colours[position];
    });
    if (brush != rows.end())
        drawBrushMark(firstRowY + page.rowSpacing * int32_t(brush - rows.begin()), page.rowSpacing);
    int32_t y = firstRowY;
    for (const size_t position : rows) {
        const uint32_t colour = colours[position];
        if (viewMode == ViewMode::Textures)
            drawTextureRow(level, colour, y, state.infoShown);
        else
            drawObjectRow(level, colour, y, state.infoShown);
        if (state.pointerY >= y && state.pointerY < y + page.rowSpacing && state.pointerX >= 0)
            hovered = colour;
        y += page.rowSpacing;
    }
    if (marked != rows.end() && state.markHovered)
        hovered = state.marked;
    if (hovered)
        drawHoverLines(level, viewMode, *hovered);
    if (!state.unsavedAsked)
        drawFindLine(state, level);
}

std::optional<uint32_t> rowColourAt(const ViewState& state, const LevelContents& level, int y) {
    const PageLayout& page = layoutOf(state.viewMode);
    if (y < firstRowY || state.viewMode == ViewMode::Map)
        return std::nullopt;
    const size_t row = size_t((y - firstRowY) / page.rowSpacing);
    if (state.viewMode == ViewMode::CollisionColors)
        return row == 0 ? level.walkBehindColor : row == 1 ? level.walkIntoColor : std::nullopt;
    const std::vector<size_t> rows =
        listOf(level, state.viewMode, shownFilter(state)).rowsOfPage(state.pageIndex);
    if (row >= rows.size())
        return std::nullopt;
    return level.levelColors[rows[row]];
}

ViewState showRowOf(ViewState state, uint32_t colour, const LevelContents& level) {
    const ViewMode viewMode =
        PageList::lists(level, ViewMode::Textures, colour)  ? ViewMode::Textures
        : PageList::lists(level, ViewMode::Objects, colour) ? ViewMode::Objects
                                                            : ViewMode::Map;
    if (viewMode == ViewMode::Map)
        return state;
    state.viewMode = viewMode;
    std::string& filter =
        viewMode == ViewMode::Textures ? state.texturesFilter : state.objectsFilter;
    if (!PageList::passes(level, viewMode, colour, filter))
        filter.clear();
    state.typing = false;
    state.pageIndex = listOf(level, viewMode, filter).pageOf(colour);
    return state;
}
