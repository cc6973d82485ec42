#include "app/MapView.h"

#include "app/BoxFilter.h"
#include "app/Level.h"
#include "app/Pages.h"
#include "app/ShortenedPath.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "level/ColourText.h"
#include "level/LevelLayout.h"
#include "listfile/FileExtension.h"
#include "platform/DirectoryListing.h"
#include "platform/ImageFile.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/ImageSource.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace {

constexpr uint32_t magenta = 0xFFFF00FFu;
constexpr uint32_t opaqueBlack = 0xFF000000u;
// Below these cell sizes the checkerboard and the object's frame no longer show.
constexpr double smallestDetail = 4;
constexpr double smallestFrame = 8;
// Up to this cell size the cells are thousands of quads, and the view is drawn from a picture.
constexpr double largestPictured = 4;
constexpr int32_t captionY = 13;
constexpr int32_t statusY = 26;
constexpr int32_t glyphAdvance = 7;

// Fills a rectangle with a display-layout colour; texture 0 leaves the colour as it is.
void fill(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    Renderer& gl = Renderer::get();
    const TexCoords none = {0, 0, 0, 0};
    gl.glColor4ub(uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour),
                  uint8_t(colour >> 24));
    Screen::get().drawQuad(0, &none, Rect{int16_t(x), int16_t(y), uint16_t(w), uint16_t(h)});
    gl.glColor4f(1, 1, 1, 1);
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

// The mean colour of an image file's pixels that are not fully transparent, opaque; none
// when the file cannot be read or has no such pixel.
std::optional<uint32_t> averageOfFile(const std::string& path) {
    SDL_Surface* image = loadImage(path);
    if (!image)
        return std::nullopt;
    uint64_t sum[3] = {0, 0, 0}, count = 0;
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < image->w; ++x) {
            if ((row[x] >> 24) == 0)
                continue;
            for (int c = 0; c < 3; ++c)
                sum[c] += (row[x] >> (16 - 8 * c)) & 0xFF;
            ++count;
        }
    }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    if (count == 0)
        return std::nullopt;
    return opaqueBlack | uint32_t(sum[0] / count) << 16 | uint32_t(sum[1] / count) << 8 |
           uint32_t(sum[2] / count);
}

// The image file a texture's cells show: its own, or an animation's first frame's; "" for a
// texture drawn through parts of its own.
std::string imageFileOf(Sprite* sprite) {
    if (auto* animation = dynamic_cast<AnimatedSprite*>(sprite)) {
        for (const AnimationFrame& frame : animation->frames) {
            if (frame.sprite)
                return imageFileOf(frame.sprite);
        }
        return "";
    }
    return typeid(*sprite) == typeid(Sprite) ? sprite->getName() : "";
}

// An image at side by side, as a cell of that side draws it: reduced with a box filter where
// it is larger, sampled nearest-neighbour where it is smaller; none when it cannot be read.
std::vector<uint32_t> sampledFile(const std::string& path, int side) {
    SDL_Surface* image = path.empty() ? nullptr : loadImage(path);
    if (!image)
        return {};
    const int w = std::min(image->w, side), h = std::min(image->h, side);
    SDL_LockSurface(image);
    const std::vector<uint32_t> reduced = boxFilter(static_cast<const uint32_t*>(image->pixels),
                                                    image->w, image->h, image->pitch / 4, w, h);
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    std::vector<uint32_t> samples;
    for (int y = 0; y < side && !reduced.empty(); ++y) {
        for (int x = 0; x < side; ++x)
            samples.push_back(reduced[size_t(y * h / side * w + x * w / side)]);
    }
    return samples;
}

// A texture's average colour: its image's, or an animation's first frame's; a texture drawn
// through parts of its own shows its marker colour instead.
uint32_t averageOf(Sprite* sprite, uint32_t marker) {
    if (auto* animation = dynamic_cast<AnimatedSprite*>(sprite)) {
        for (const AnimationFrame& frame : animation->frames) {
            if (frame.sprite)
                return averageOf(frame.sprite, marker);
        }
        return marker;
    }
    if (typeid(*sprite) != typeid(Sprite))
        return marker;
    return averageOfFile(sprite->getName()).value_or(marker);
}

std::string zoomText(int zoom) {
    return zoom >= 0 ? "x" + std::to_string(1 << zoom) : "x1/" + std::to_string(1 << -zoom);
}

// The area: the window's width by its height below the status line.
int32_t areaWidth() {
    return Screen::get().view.w;
}
int32_t areaHeight() {
    return std::max<int32_t>(0, Screen::get().view.h - MapView::areaTop);
}

} // namespace

namespace {

std::vector<std::string> levelMaps() {
    std::vector<std::string> maps;
    for (const std::string& name :
         listFiles("levels", [](const std::string& name) { return hasExtension(name, "png"); })) {
        if (!isSwatchName(name))
            maps.push_back("levels/" + name);
    }
    return maps;
}

} // namespace

MapView::MapView(std::vector<std::string> given, bool read) : given_(!given.empty()) {
    for (std::string& path : given_ ? given : levelMaps()) {
        maps_.emplace_back();
        maps_.back().path = std::move(path);
    }
    mapsRead_ = read;
    for (Map& map : maps_) {
        if (read)
            readMap(map);
    }
}

void MapView::forgetLevel() {
    art_.clear();
    classes_.reset();
    reduced_.forget();
    ++artGeneration_;
}

void MapView::reload() {
    forgetLevel();
    mapsRead_ = true;
    if (!given_) {
        // The level's maps as listed now, each keeping the view it had.
        std::vector<Map> listed;
        for (const std::string& path : levelMaps()) {
            listed.emplace_back();
            listed.back().path = path;
            for (const Map& old : maps_) {
                if (old.path == path)
                    listed.back().view = old.view;
            }
        }
        maps_ = std::move(listed);
    }
    for (Map& map : maps_)
        readMap(map);
}

std::vector<std::string> MapView::paths() const {
    std::vector<std::string> paths;
    for (const Map& map : maps_)
        paths.push_back(map.path);
    return paths;
}

void MapView::readMap(Map& map) {
    map.straysCounted = false;
    std::string reason;
    // Read at its own size: each pixel stays a cell, however large the map.
    SDL_Surface* image = loadImage(map.path, &reason);
    map.read = image != nullptr;
    if (!image) {
        // Named by its part in the level, as a swatch that cannot be read is.
        if (!reason.empty()) {
            std::fprintf(stderr, "Unable to read map %s : %s\n", map.path.c_str(), reason.c_str());
            std::fflush(stderr);
        }
        map.pixels.clear();
        map.width = map.height = 0;
        return;
    }
    map.width = image->w;
    map.height = image->h;
    map.pixels.resize(size_t(image->w) * size_t(image->h));
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y)
        std::copy_n(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(image->pixels) +
                                                      size_t(y) * size_t(image->pitch)),
                    size_t(image->w), map.pixels.begin() + ptrdiff_t(size_t(y) * size_t(image->w)));
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    // A map saved at another size keeps its view, as far as the map stays in view.
    map.view.keepInView({map.width, map.height}, {areaWidth(), areaHeight()});
}

const MapView::CellArt& MapView::artOf(uint32_t pixel) {
    const auto found = art_.find(pixel);
    if (found != art_.end())
        return found->second;
    if (!classes_) {
        // The markers: every file's colour, and the collision colours, which the scan keeps
        // apart.
        std::vector<uint32_t> markers = levelColors;
        for (const std::optional<uint32_t>& collision : {walkBehindColor, walkIntoColor}) {
            if (collision)
                markers.push_back(*collision);
        }
        classes_ = std::make_unique<MapPixel>(markers);
    }
    CellArt art;
    const MapPixelClass cls = classes_->classify(pixel);
    if (cls.kind == MapPixelKind::Empty) {
        art.kind = CellArt::Empty;
        art.what = "empty";
    } else if (cls.kind == MapPixelKind::Stray) {
        art.kind = CellArt::Stray;
        art.what = "no marker";
    } else if (Sprite* texture = textureByColor.count(pixel) ? textureByColor[pixel] : nullptr) {
        art.kind = CellArt::Texture;
        art.texture = texture;
        art.colour = averageOf(texture, pixel);
        art.what = texture->getName();
        // A map cannot tell a texture from an object of the same colour: both are named.
        const auto object = objectNameByColor.find(pixel);
        art.object = object != objectNameByColor.end() ? object->second : "";
        art.marker = pixel;
        art.hasRow = true;
    } else if (objectNameByColor.count(pixel) && !objectNameByColor[pixel].empty()) {
        art.kind = CellArt::Framed;
        art.colour = pixel | opaqueBlack;
        art.what = objectNameByColor[pixel];
        art.marker = pixel;
        art.hasRow = true;
    } else {
        art.kind = CellArt::Fill;
        art.colour = pixel | opaqueBlack;
        art.what = walkBehindColor == pixel ? "walk behind" : "walk into";
    }
    return art_.emplace(pixel, std::move(art)).first->second;
}

const MapView::Map* MapView::shown(const ViewState& state) const {
    return maps_.empty() ? nullptr : &maps_[state.mapIndex % maps_.size()];
}

MapView::Map* MapView::shown(const ViewState& state) {
    return maps_.empty() ? nullptr : &maps_[state.mapIndex % maps_.size()];
}

const std::vector<uint32_t>& MapView::smallOf(const CellArt& art) {
    CellArt& kept = const_cast<CellArt&>(art); // art_'s own entry: only its cache is filled
    if (kept.small.empty()) {
        kept.small = sampledFile(imageFileOf(art.texture), int(largestPictured));
        if (kept.small.empty())
            kept.small.assign(size_t(largestPictured * largestPictured), art.colour);
    }
    return kept.small;
}

size_t MapView::strayPixels(Map& map) {
    if (map.straysCounted)
        return map.strays;
    map.strays = 0;
    for (const uint32_t pixel : map.pixels)
        map.strays += artOf(pixel).kind == CellArt::Stray;
    map.straysCounted = true;
    return map.strays;
}

MapView::Cells MapView::cellsInArea(const Map& map) const {
    const MapNavigation& view = map.view;
    const double cell = view.cell();
    Cells cells;
    cells.first = std::max(0, int(std::floor(-view.originX() / cell)));
    cells.last = std::min(map.width, int(std::ceil((areaWidth() - view.originX()) / cell)));
    cells.top = std::max(0, int(std::floor(-view.originY() / cell)));
    cells.bottom = std::min(map.height, int(std::ceil((areaHeight() - view.originY()) / cell)));
    return cells;
}

bool MapView::animates(const ViewState& state) {
    Map* map = shown(state);
    // The picture and the painted colours hold still.
    if (!map || !map->read || state.painted || map->view.cell() <= largestPictured)
        return false;
    const Cells cells = cellsInArea(*map);
    uint32_t checked = 0;
    bool any = false;
    for (int row = cells.top; row < cells.bottom; ++row) {
        for (int column = cells.first; column < cells.last; ++column) {
            const uint32_t pixel = map->pixels[size_t(row) * size_t(map->width) + size_t(column)];
            if (any && pixel == checked)
                continue;
            const CellArt& art = artOf(pixel);
            if (art.kind == CellArt::Texture && art.texture->animates())
                return true;
            checked = pixel;
            any = true;
        }
    }
    return false;
}

void MapView::drawCells(const ViewState& state) {
    Map* map = shown(state);
    if (!map || !map->read)
        return;
    const MapNavigation& view = map->view;
    const double cell = view.cell();
    if (cell <= largestPictured) {
        drawPicture(*map, state.painted);
        return;
    }
    const int32_t side = int32_t(cell);
    const int32_t baseX = int32_t(std::floor(view.originX()));
    const int32_t baseY = areaTop + int32_t(std::floor(view.originY()));
    // Only the cells in the area are drawn.
    const Cells cells = cellsInArea(*map);
    std::set<Sprite*> drawn;
    for (int row = cells.top; row < cells.bottom; ++row) {
        const int32_t y = baseY + row * side;
        for (int column = cells.first; column < cells.last; ++column) {
            const int32_t x = baseX + column * side;
            const uint32_t pixel = map->pixels[size_t(row) * size_t(map->width) + size_t(column)];
            if (state.painted) {
                if ((pixel >> 24) != 0)
                    fill(x, y, side, side, pixel);
                continue;
            }
            const CellArt& art = artOf(pixel);
            switch (art.kind) {
            case CellArt::Texture:
                drawStretched(art.texture, x, y, cell, reduced_);
                drawn.insert(art.texture);
                break;
            case CellArt::Framed:
                if (cell >= smallestFrame) {
                    fill(x, y, side, side, opaqueBlack);
                    fill(x + 1, y + 1, side - 2, side - 2, art.colour);
                } else
                    fill(x, y, side, side, art.colour);
                break;
            case CellArt::Fill:
                fill(x, y, side, side, art.colour);
                break;
            case CellArt::Empty:
                break;
            case CellArt::Stray:
                fill(x, y, side, side, opaqueBlack);
                fill(x, y, side / 2, side / 2, magenta);
                fill(x + side / 2, y + side / 2, side - side / 2, side - side / 2, magenta);
                break;
            }
        }
    }
    // One tick per frame for each texture shown, however many cells show it.
    for (Sprite* texture : drawn)
        texture->update();
}

// At small zooms the cells are a few window pixels each, thousands of them: they are drawn
// once into a picture of the area, made again only when the view, the map or the level
// changes. Below 4 pixels a cell they are flat colours; at 4 a texture's cell is its image
// sampled at 4 by 4 (an animation holds still at its first frame), a stray the checkerboard
// and an object its colour, without the frame.
void MapView::drawPicture(const Map& map, bool painted) {
    const int32_t w = areaWidth(), h = areaHeight();
    if (w <= 0 || h <= 0)
        return;
    const MapNavigation& view = map.view;
    const std::string key = map.path + "|" + std::to_string(view.zoom()) + "|" +
                            std::to_string(view.originX()) + "|" + std::to_string(view.originY()) +
                            "|" + std::to_string(painted) + "|" + std::to_string(w) + "x" +
                            std::to_string(h) + "|" + std::to_string(artGeneration_) + "|" +
                            std::to_string(size_t(map.pixels.data()));
    if (key != pictureKey_ || picture_ == 0) {
        SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000u,
                                                    0x0000FF00u, 0x000000FFu, 0xFF000000u);
        if (!surface)
            return;
        const double cell = view.cell();
        SDL_LockSurface(surface);
        uint32_t lastPixel = 0, lastShown = 0;
        bool known = false;
        const bool detailed = cell >= smallestDetail;
        const int side = int(cell);
        for (int32_t y = 0; y < h; ++y) {
            auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                    size_t(y) * size_t(surface->pitch));
            const double cellTop = y - std::floor(view.originY());
            const double row = std::floor(cellTop / cell);
            for (int32_t x = 0; x < w; ++x) {
                const double cellLeft = x - std::floor(view.originX());
                const double column = std::floor(cellLeft / cell);
                out[x] = 0;
                if (row < 0 || column < 0 || row >= map.height || column >= map.width)
                    continue;
                const uint32_t pixel = map.pixels[size_t(row) * size_t(map.width) + size_t(column)];
                if (detailed && !painted) {
                    // Where in its cell this window pixel lies.
                    const int inX = int(cellLeft) - int(column) * side;
                    const int inY = int(cellTop) - int(row) * side;
                    const CellArt& art = artOf(pixel);
                    if (art.kind == CellArt::Texture)
                        out[x] = smallOf(art)[size_t(inY * side + inX)];
                    else if (art.kind == CellArt::Stray)
                        out[x] = (inX < side / 2) == (inY < side / 2) ? magenta : opaqueBlack;
                    else if (art.kind != CellArt::Empty)
                        out[x] = art.colour;
                    continue;
                }
                if (!known || pixel != lastPixel) {
                    lastPixel = pixel;
                    known = true;
                    const CellArt& art = artOf(pixel);
                    lastShown = painted                      ? pixel
                                : art.kind == CellArt::Empty ? 0
                                : art.kind == CellArt::Stray ? magenta
                                                             : art.colour;
                }
                out[x] = lastShown;
            }
        }
        SDL_UnlockSurface(surface);
        TexCoords window;
        picture_ = Renderer::get().upload(surface, window, {"", picture_});
        SDL_FreeSurface(surface);
        pictureRight_ = window.right;
        pictureBottom_ = window.bottom;
        pictureKey_ = key;
    }
    const TexCoords window = {0, 0, pictureRight_, pictureBottom_};
    Screen::get().drawQuad(picture_, &window, Rect{0, int16_t(areaTop), uint16_t(w), uint16_t(h)});
}

std::string MapView::statusText(const ViewState& state) {
    Map* map = shown(state);
    if (!map)
        return "no map: put a painted PNG in levels/ or give --map FILE";
    if (!mapsRead_)
        return "read once the level is loaded";
    if (!map->read)
        return "cannot be read";
    int column = 0, row = 0;
    if (cellAt(*map, state.pointerX, state.pointerY, column, row))
        return hoverText(*map, column, row);
    const size_t strays = strayPixels(*map);
    return std::to_string(map->width) + "x" + std::to_string(map->height) + ", " +
           std::to_string(strays) + (strays == 1 ? " stray pixel, " : " stray pixels, ") +
           zoomText(map->view.zoom());
}

void MapView::drawLines(const ViewState& state) {
    const Map* map = shown(state);
    const size_t room = size_t(std::max(0, (areaWidth() - 1) / glyphAdvance));
    const std::string caption = "MAP: ";
    Screen::get().drawLabel(
        caption + (map ? shortenPath(map->path, room > caption.size() ? room - caption.size() : 0)
                       : "none"),
        0, captionY);
    // The advice without a map is longer than the default window's line: what does not fit
    // goes on a line of its own, below.
    const std::string status = statusText(state);
    const size_t wrap = status.find(" or give");
    if (status.size() <= room || wrap == std::string::npos)
        Screen::get().drawLabel(status, 0, statusY);
    else {
        Screen::get().drawLabel(status.substr(0, wrap), 0, statusY);
        Screen::get().drawLabel(status.substr(wrap + 1), 0, statusY + statusY - captionY);
    }
}

bool MapView::cellAt(const Map& map, int x, int y, int& column, int& row) const {
    if (!map.read || x < 0 || y < areaTop || x >= areaWidth())
        return false;
    return map.view.cellAt({double(x), double(y - areaTop)}, {map.width, map.height}, column, row);
}

std::string MapView::hoverText(const Map& map, int column, int row) {
    const uint32_t pixel = map.pixels[size_t(row) * size_t(map.width) + size_t(column)];
    const CellArt& art = artOf(pixel);
    std::string kept =
        std::to_string(column) + "," + std::to_string(row) + " " + hexColour(pixel) + " ";
    std::string path = art.what;
    // A stray names the marker it was most likely meant to be, as the check does.
    if (art.kind == CellArt::Stray) {
        std::vector<uint32_t> markers = levelColors;
        for (const std::optional<uint32_t>& collision : {walkBehindColor, walkIntoColor}) {
            if (collision)
                markers.push_back(*collision);
        }
        if (const std::optional<size_t> near = nearestMarker(markers, pixel)) {
            const uint32_t marker = markers[*near];
            const CellArt& meant = artOf(marker);
            kept += "no marker, close to " + hexColour(marker) + " ";
            path = meant.kind == CellArt::Fill
                       ? (walkBehindColor == marker ? walkBehindSwatch : walkIntoSwatch)
                       : meant.what;
            const size_t room = size_t(std::max(0, (areaWidth() - 1) / glyphAdvance));
            return kept + "(" +
                   shortenPath(path, room > kept.size() + 2 ? room - kept.size() - 2 : 0) + ")";
        }
    }
    const size_t room = size_t(std::max(0, (areaWidth() - 1) / glyphAdvance));
    const size_t left = room > kept.size() ? room - kept.size() : 0;
    if (art.object.empty())
        return kept + shortenPath(path, left);
    // A texture and an object of one colour: both named, a name that fits in half the room
    // whole and the other in what remains, or else each in half.
    const std::string both = " and ";
    const size_t names = left > both.size() ? left - both.size() : 0;
    size_t forTexture = names / 2;
    if (path.size() <= names / 2)
        forTexture = path.size();
    else if (art.object.size() <= names - names / 2)
        forTexture = names - art.object.size();
    return kept + shortenPath(path, forTexture) + both +
           shortenPath(art.object, names - std::min(names, forTexture));
}

ViewState MapView::applyEvent(ViewState state, const SDL_Event& event) {
    Map* map = shown(state);
    if (!map || state.viewMode != ViewMode::Map)
        return state;
    MapNavigation& view = map->view;
    const MapNavigation::Size cells = {map->width, map->height};
    const MapNavigation::Size area = {areaWidth(), areaHeight()};
    // The keys zoom about the pointer while it is over the map's cells, else the area's centre.
    std::optional<MapNavigation::Point> pointer;
    if (state.pointerX >= 0 && state.pointerY >= 0)
        pointer = MapNavigation::Point{double(state.pointerX), double(state.pointerY - areaTop)};
    const MapNavigation::Point focus = view.keyZoomFocus(pointer, cells, area);
    switch (event.type) {
    case SDL_KEYDOWN:
        switch (event.key.keysym.sym) {
        case SDLK_PLUS:
        case SDLK_EQUALS:
        case SDLK_KP_PLUS:
            view.zoomAbout(view.zoom() + 1, focus, cells, area);
            break;
        case SDLK_MINUS:
        case SDLK_KP_MINUS:
            view.zoomAbout(view.zoom() - 1, focus, cells, area);
            break;
        // The arrows move the view a quarter of the area: the map the other way.
        case SDLK_LEFT:
            view.panBy(area.width / 4, 0, cells, area);
            break;
        case SDLK_RIGHT:
            view.panBy(-(area.width / 4), 0, cells, area);
            break;
        case SDLK_UP:
            view.panBy(0, area.height / 4, cells, area);
            break;
        case SDLK_DOWN:
            view.panBy(0, -(area.height / 4), cells, area);
            break;
        case SDLK_HOME:
            view.fit(cells, area);
            break;
        default:
            break;
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_WHEELUP ||
            event.button.button == SDL_BUTTON_WHEELDOWN) {
            if (event.button.y >= areaTop)
                view.zoomAbout(view.zoom() + (event.button.button == SDL_BUTTON_WHEELUP ? 1 : -1),
                               {double(event.button.x), double(event.button.y - areaTop)}, cells,
                               area);
        } else if (event.button.button == SDL_BUTTON_LEFT && event.button.y >= areaTop) {
            pressed_ = true;
            dragged_ = false;
            pressX_ = event.button.x;
            pressY_ = event.button.y;
        }
        break;
    case SDL_MOUSEMOTION:
        if (pressed_ && (event.motion.state & SDL_BUTTON(SDL_BUTTON_LEFT)) &&
            (event.motion.xrel != 0 || event.motion.yrel != 0)) {
            view.panBy(event.motion.xrel, event.motion.yrel, cells, area);
            dragged_ = true;
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT && pressed_) {
            pressed_ = false;
            int column = 0, row = 0;
            // A press and release without a drag is a click: to the marker's row.
            if (!dragged_ && cellAt(*map, pressX_, pressY_, column, row)) {
                const CellArt& art =
                    artOf(map->pixels[size_t(row) * size_t(map->width) + size_t(column)]);
                if (art.hasRow) {
                    state = showRowOf(state, art.marker);
                    state.marked = art.marker;
                    state.markHovered = true;
                }
            }
        }
        break;
    default:
        break;
    }
    return state;
}
