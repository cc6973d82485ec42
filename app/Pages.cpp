#include "app/Pages.h"

#include "app/Level.h"
#include "gfx/Screen.h"
#include "sprites/Sprite.h"

namespace {

struct PageLayout {
    const char* caption;
    int32_t rowSpacing;
    size_t pageStep; // rows per page
};

constexpr int32_t captionY = 13;
constexpr int32_t firstRowY = 26;
constexpr int32_t labelDrop = 10;
constexpr PageLayout texturesPage = {"TEXTURES:", 32, 15};
constexpr PageLayout objectsPage = {"OBJECTS:", 13, 40};
constexpr PageLayout collisionPage = {"COLLISION COLORS:", 13, 0};

template <typename Map>
typename Map::mapped_type lookUp(const Map& map, uint32_t colour) {
    const auto found = map.find(colour);
    return found == map.end() ? typename Map::mapped_type() : found->second;
}

void drawSwatch(uint32_t colour, int32_t y) {
    if (Sprite* swatch = lookUp(swatchByColor, colour))
        swatch->draw(0, y, 0);
}

void drawCollisionRow(const std::optional<uint32_t>& colour, const char* label, int32_t y) {
    if (colour)
        drawSwatch(*colour, y);
    Screen::get().drawLabel(label, 10, y + labelDrop);
}

// Which rows a page lists: the textures page those with a sprite, the objects page those
// with a description file.
bool listedOn(ViewMode viewMode, uint32_t colour) {
    if (viewMode == ViewMode::Textures)
        return lookUp(textureByColor, colour) != nullptr;
    return !lookUp(objectNameByColor, colour).empty();
}

} // namespace

void drawTextureRow(uint32_t colour, int32_t y) {
    drawSwatch(colour, y);
    Sprite* texture = lookUp(textureByColor, colour);
    texture->draw(10, y, 0);
    texture->update();
}

void drawObjectRow(uint32_t colour, int32_t y) {
    drawSwatch(colour, y);
    Screen::get().drawLabel(lookUp(objectNameByColor, colour), 10, y + labelDrop);
}

void drawCollisionRows(int32_t y) {
    drawCollisionRow(walkBehindColor, "Walk Behind", y);
    drawCollisionRow(walkIntoColor, "Walk Into", y + collisionPage.rowSpacing);
}

void drawPage(ViewMode viewMode, int pageIndex) {
    const PageLayout& page = viewMode == ViewMode::Textures  ? texturesPage
                             : viewMode == ViewMode::Objects ? objectsPage
                                                             : collisionPage;
    Screen::get().drawLabel(page.caption, 0, captionY);
    if (viewMode == ViewMode::CollisionColors) {
        drawCollisionRows(firstRowY);
        return;
    }
    // The start counts entries of both kinds, since textures and objects share one list.
    int32_t y = firstRowY;
    size_t rows = 0;
    for (size_t position = page.pageStep * size_t(pageIndex);
         position < levelColors.size() && rows < page.pageStep; ++position) {
        const uint32_t colour = levelColors[position];
        if (!listedOn(viewMode, colour))
            continue;
        if (viewMode == ViewMode::Textures)
            drawTextureRow(colour, y);
        else
            drawObjectRow(colour, y);
        y += page.rowSpacing;
        ++rows;
    }
}

int lastPageWithRow(ViewMode viewMode) {
    const size_t pageStep = (viewMode == ViewMode::Textures ? texturesPage : objectsPage).pageStep;
    for (size_t position = levelColors.size(); position > 0; --position) {
        if (listedOn(viewMode, levelColors[position - 1]))
            return int((position - 1) / pageStep);
    }
    return 0;
}
