#include "app/MapCells.h"

#include "app/Pages.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "sprites/AnimatedSprite.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <typeinfo>

namespace {

// Below this cell size the object's frame no longer shows.
constexpr double smallestFrame = 8;
// The grid of edit mode: mid grey at half opacity, seen over light and dark art alike.
constexpr uint32_t gridGrey = 0x808080;
constexpr uint8_t gridAlpha = 128;

// Fills a rectangle with a display-layout colour, its alpha included.
void fill(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    Screen::get().fillRect(Rect{int16_t(x), int16_t(y), uint16_t(w), uint16_t(h)}, colour,
                           uint8_t(colour >> 24));
}

// Draws a sprite with its drawn size stretched to a side by side square at (x, y), through
// the matrix as the textures page scales (glOrtho of -1/s..1/s multiplies by s); textures are
// sampled nearest-neighbour, so each texel stays a sharp block. An image larger than the
// square is drawn from its reduced copy, texel for pixel where it is reduced.
void drawStretched(Sprite* sprite, int32_t x, int32_t y, double side, ReducedTextures& reduced) {
    // An image, or an animation's frame that is one, is a single quad over the cell: no
    // matrix calls, which cost more than the quad itself when cells are many.
    Sprite* image = sprite;
    if (auto* animation = dynamic_cast<AnimatedSprite*>(sprite)) {
        const int32_t frame = animation->currentFrame;
        image = frame >= 0 && size_t(frame) < animation->frames.size()
                    ? animation->frames[size_t(frame)].sprite
                    : nullptr;
    }
    if (image && typeid(*image) == typeid(Sprite) && image->placement.x == 0 &&
        image->placement.y == 0) {
        const ReducedTextures::Copy& copy = reduced.of(image, int(side));
        if (copy.texture != 0)
            Screen::get().drawQuad(copy.texture, &copy.window,
                                   Rect{int16_t(x), int16_t(y), uint16_t(side), uint16_t(side)});
        else if (image->uploadedTexture() != 0)
            Screen::get().drawQuad(image->texture, &image->texCoords,
                                   Rect{int16_t(x), int16_t(y), uint16_t(side), uint16_t(side)});
        return;
    }
    const Rect size = drawnSize(sprite);
    if (size.w == 0 || size.h == 0)
        return;
    drawScaled(sprite, x, y, side / size.w, side / size.h);
}

} // namespace

MapCells::Range MapCells::inArea(const MapList::Map& map, MapNavigation::Size area) {
    const MapNavigation& view = map.view;
    const double cell = view.cell();
    Range cells;
    cells.first = std::max(0, int(std::floor(-view.originX() / cell)));
    cells.last = std::min(map.width, int(std::ceil((area.width - view.originX()) / cell)));
    cells.top = std::max(0, int(std::floor(-view.originY() / cell)));
    cells.bottom = std::min(map.height, int(std::ceil((area.height - view.originY()) / cell)));
    return cells;
}

bool MapCells::animates(const MapList::Map& map, CellArtTable& art, MapNavigation::Size area) {
    const Range cells = inArea(map, area);
    uint32_t checked = 0;
    bool any = false;
    for (int row = cells.top; row < cells.bottom; ++row) {
        for (int column = cells.first; column < cells.last; ++column) {
            const uint32_t pixel = map.at(column, row);
            if (any && pixel == checked)
                continue;
            const CellArt& cellArt = art.of(pixel);
            if (cellArt.kind == CellArt::Texture && cellArt.texture->animates())
                return true;
            checked = pixel;
            any = true;
        }
    }
    return false;
}

void MapCells::draw(const MapList::Map& map, MapLook look, CellArtTable& art,
                    MapNavigation::Size area, int32_t top) {
    const MapNavigation& view = map.view;
    const double cell = view.cell();
    const int32_t side = int32_t(cell);
    const int32_t baseX = int32_t(std::floor(view.originX()));
    const int32_t baseY = top + int32_t(std::floor(view.originY()));
    // Only the cells in the area are drawn.
    const Range cells = inArea(map, area);
    std::set<Sprite*> drawn;
    for (int row = cells.top; row < cells.bottom; ++row) {
        const int32_t y = baseY + row * side;
        for (int column = cells.first; column < cells.last; ++column) {
            const int32_t x = baseX + column * side;
            const uint32_t pixel = map.at(column, row);
            if (look == MapLook::Painted) {
                if ((pixel >> 24) != 0)
                    fill(x, y, side, side, pixel);
                continue;
            }
            const CellArt& cellArt = art.of(pixel);
            switch (cellArt.kind) {
            case CellArt::Texture:
                drawStretched(cellArt.texture, x, y, cell, reduced_);
                drawn.insert(cellArt.texture);
                break;
            case CellArt::Framed:
                if (cell >= smallestFrame) {
                    fill(x, y, side, side, CellArt::black);
                    fill(x + 1, y + 1, side - 2, side - 2, cellArt.colour);
                } else
                    fill(x, y, side, side, cellArt.colour);
                break;
            case CellArt::Fill:
                fill(x, y, side, side, cellArt.colour);
                break;
            case CellArt::Empty:
                break;
            case CellArt::Stray:
                fill(x, y, side, side, CellArt::black);
                fill(x, y, side / 2, side / 2, CellArt::magenta);
                fill(x + side / 2, y + side / 2, side - side / 2, side - side / 2,
                     CellArt::magenta);
                break;
            }
            if (look == MapLook::PaintedOverArt && (pixel >> 24) != 0)
                fill(x, y, side, side, halfOpacity(pixel));
        }
    }
    // One tick per frame for each texture shown, however many cells show it.
    for (Sprite* texture : drawn)
        texture->update();
}

void MapCells::drawGrid(const MapList::Map& map, MapNavigation::Size area, int32_t top) {
    const MapNavigation& view = map.view;
    const double cell = view.cell();
    if (cell < gridCell)
        return;
    const int32_t side = int32_t(cell);
    const int32_t baseX = int32_t(std::floor(view.originX()));
    const int32_t baseY = top + int32_t(std::floor(view.originY()));
    const Range cells = inArea(map, area);
    if (cells.first >= cells.last || cells.top >= cells.bottom)
        return;
    const int32_t left = baseX + cells.first * side, right = baseX + cells.last * side;
    const int32_t upper = baseY + cells.top * side, lower = baseY + cells.bottom * side;
    // On the first pixel of each cell past the first, so that a cell keeps its own colour
    // at its centre and the grid never hides a cell of 8 pixels.
    for (int column = cells.first + 1; column < cells.last; ++column)
        Screen::get().fillRect(
            Rect{int16_t(baseX + column * side), int16_t(upper), 1, uint16_t(lower - upper)},
            gridGrey, gridAlpha);
    for (int row = cells.top + 1; row < cells.bottom; ++row)
        Screen::get().fillRect(
            Rect{int16_t(left), int16_t(baseY + row * side), uint16_t(right - left), 1}, gridGrey,
            gridAlpha);
}
