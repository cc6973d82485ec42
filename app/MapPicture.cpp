#include "app/MapPicture.h"

#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/OwnedSurface.h"

#include <SDL.h>
#include <cmath>

namespace {

// Below this cell size the checkerboard no longer shows.
constexpr double smallestDetail = 4;

// Below this zoom a window pixel shows the mean of its cells, not one of them.
constexpr int smallestPicked = MapReduction::largestZoom + 1;

uint32_t* rowOf(SDL_Surface* surface, int32_t y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                       size_t(y) * size_t(surface->pitch));
}

// Each window pixel of `area` from the one cell it shows, or the part of it: at 4 pixels a
// cell, the detail of the cell's art; below, its flat colour.
void drawPicked(const MapList::Map& map, MapLook look, CellArtTable& art, SDL_Surface* surface,
                PictureCells::Area area) {
    const MapNavigation& view = map.view;
    const double cell = view.cell();
    uint32_t lastPixel = 0, lastShown = 0;
    bool known = false;
    const bool detailed = cell >= smallestDetail && look != MapLook::Painted;
    const int side = int(cell);
    for (int32_t y = area.y; y < area.y + area.h; ++y) {
        uint32_t* out = rowOf(surface, y);
        const double cellTop = y - std::floor(view.originY());
        const double row = PictureCells::pickedCell(y, view.originY(), cell);
        for (int32_t x = area.x; x < area.x + area.w; ++x) {
            const double cellLeft = x - std::floor(view.originX());
            const double column = PictureCells::pickedCell(x, view.originX(), cell);
            out[x] = 0;
            if (row < 0 || column < 0 || row >= map.height || column >= map.width)
                continue;
            const uint32_t pixel = map.at(int(column), int(row));
            if (detailed) {
                // Where in its cell this window pixel lies.
                const int inX = int(cellLeft) - int(column) * side;
                const int inY = int(cellTop) - int(row) * side;
                const CellArt& cellArt = art.of(pixel);
                if (cellArt.kind == CellArt::Texture)
                    out[x] = art.smallOf(cellArt)[size_t(inY * side + inX)];
                else if (cellArt.kind == CellArt::Stray)
                    out[x] =
                        (inX < side / 2) == (inY < side / 2) ? CellArt::magenta : CellArt::black;
                else if (cellArt.kind != CellArt::Empty)
                    out[x] = cellArt.colour;
                if (look == MapLook::PaintedOverArt)
                    out[x] = drawnOver(halfOpacity(pixel), out[x]);
                continue;
            }
            if (!known || pixel != lastPixel) {
                lastPixel = pixel;
                known = true;
                lastShown = MapReduction::flatColour(pixel, look, art);
            }
            out[x] = lastShown;
        }
    }
}

// Each window pixel from the map's reduction at the zoom: one of its pixels a window pixel.
void drawReduced(const MapList::Map& map, MapLook look, CellArtTable& art, MapReduction& reduction,
                 SDL_Surface* surface) {
    const MapReduction::Image& image = reduction.at(map, map.view.zoom(), look, art);
    const int32_t left = int32_t(std::floor(map.view.originX()));
    const int32_t top = int32_t(std::floor(map.view.originY()));
    for (int32_t y = 0; y < surface->h; ++y) {
        uint32_t* out = rowOf(surface, y);
        const int32_t row = y - top;
        for (int32_t x = 0; x < surface->w; ++x) {
            const int32_t column = x - left;
            out[x] = row >= 0 && column >= 0 && row < image.height && column < image.width
                         ? image.pixels[size_t(row) * size_t(image.width) + size_t(column)]
                         : 0;
        }
    }
}

} // namespace

void MapPicture::draw(const MapList::Map& map, MapLook look, CellArtTable& art,
                      MapNavigation::Size area, int32_t top) {
    const int32_t w = area.width, h = area.height;
    if (w <= 0 || h <= 0)
        return;
    const MapNavigation& view = map.view;
    const std::string shown =
        map.path + "|" + std::to_string(view.zoom()) + "|" + std::to_string(view.originX()) + "|" +
        std::to_string(view.originY()) + "|" + std::to_string(int(look)) + "|" + std::to_string(w) +
        "x" + std::to_string(h) + "|" + std::to_string(art.generation()) + "|" +
        std::to_string(size_t(map.pixels().data())) + "|" + std::to_string(map.width) + "x" +
        std::to_string(map.height) + "|" + std::to_string(map.generation);
    const std::string key = shown + "|" + map.version();
    if (key != key_ || texture_ == 0) {
        bool drawn = false;
        if (shown == view_ && texture_ != 0 && surface_) {
            const PictureCells::Area changed = cells_.changed(map);
            SDL_LockSurface(surface_.get());
            drawPicked(map, look, art, surface_.get(), changed);
            SDL_UnlockSurface(surface_.get());
            drawn = changed.w == 0 || Renderer::get().update(surface_.get(), texture_, changed.x,
                                                             changed.y, changed.w, changed.h);
        }
        if (!drawn && !redraw(map, look, art, w, h)) {
            key_.clear();
            view_.clear();
            return;
        }
        view_ = shown;
        key_ = key;
    }
    const TexCoords window = {0, 0, right_, bottom_};
    Screen::get().drawQuad(texture_, &window, Rect{0, int16_t(top), uint16_t(w), uint16_t(h)});
}

bool MapPicture::redraw(const MapList::Map& map, MapLook look, CellArtTable& art, int32_t w,
                        int32_t h) {
    OwnedSurface surface(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000u, 0x0000FF00u,
                                              0x000000FFu, 0xFF000000u));
    surface_.reset();
    cells_.clear();
    if (!surface)
        return false;
    const bool picked = map.view.zoom() >= smallestPicked;
    SDL_LockSurface(surface.get());
    if (picked)
        drawPicked(map, look, art, surface.get(), {0, 0, w, h});
    else
        drawReduced(map, look, art, reduction_, surface.get());
    SDL_UnlockSurface(surface.get());
    TexCoords window;
    texture_ = Renderer::get().upload(surface.get(), window, {"", texture_});
    right_ = window.right;
    bottom_ = window.bottom;
    if (picked) {
        cells_.keep(map, w, h);
        surface_ = std::move(surface);
    }
    return true;
}
