#include "app/MapView.h"

#include "app/MapStatusText.h"
#include "app/Pages.h"
#include "gfx/Screen.h"

#include <SDL.h>
#include <algorithm>

namespace {

constexpr int32_t captionY = 13;
constexpr int32_t statusY = 26;
// The brush's line fits this many pixels.
constexpr int32_t brushLineWidth = 300;

} // namespace

MapView::MapView(std::vector<std::string> given, const LevelContents& level, bool read,
                 DiagnosticSink& problems)
    : problems_(problems), maps_(std::move(given)), art_(level), mapsRead_(read) {
    if (read)
        maps_.read(area(), problems_);
}

MapNavigation::Size MapView::area() {
    return {Screen::get().view.w, std::max<int32_t>(0, Screen::get().view.h - areaTop)};
}

void MapView::forgetLevel() {
    art_.forget();
    cells_.forget();
}

void MapView::reload() {
    forgetLevel();
    const bool first = !mapsRead_;
    mapsRead_ = true;
    maps_.relist();
    maps_.read(area(), problems_);
    if (first && copies_)
        copies_->find(maps_, problems_);
}

void MapView::keepRecoveryIn(const std::string& folder) {
    copies_ = std::make_unique<RecoveryCopies>(folder);
    edit_.whenSaved([this](Map& map) { copies_->saved(map, problems_); });
    if (mapsRead_)
        copies_->find(maps_, problems_);
}

void MapView::keepCopies(uint32_t now) {
    if (copies_)
        copies_->keep(maps_, now, problems_);
}

bool MapView::copyDue(uint32_t now) const {
    return copies_ && RecoveryCopies::due(maps_, now);
}

void MapView::keepUnsaved() {
    if (copies_)
        copies_->keepAll(maps_, problems_);
}

void MapView::dropCopies() {
    if (copies_)
        copies_->dropOwn(maps_);
}

void MapView::finishCopies() {
    if (copies_)
        copies_->finish();
}

size_t MapView::strayPixels(Map& map) {
    if (map.straysCounted && map.straysRevision == map.editor.canvas().revision())
        return map.strays;
    // Runs of one colour are looked up once, which counts a map of 16,384 cells a side in a
    // fraction of the time.
    map.strays = strayCount(map, art_);
    map.straysCounted = true;
    map.straysRevision = map.editor.canvas().revision();
    return map.strays;
}

bool MapView::saveAll() {
    bool saved = true;
    for (size_t index = 0; index < maps_.size(); ++index) {
        Map& map = *maps_.at(index);
        if (map.unsaved())
            saved = edit_.save(map, problems_) && saved;
    }
    return saved;
}

bool MapView::animates(const ViewState& state) {
    const Map* map = maps_.at(state.mapIndex);
    // The picture and the painted colours hold still.
    if (!map || !map->read || state.painted || map->view.cell() <= MapPicture::largestCell)
        return false;
    return MapCells::animates(*map, art_, area());
}

void MapView::drawCells(const ViewState& state) {
    const Map* map = maps_.at(state.mapIndex);
    if (!map || !map->read)
        return;
    if (map->view.cell() <= MapPicture::largestCell)
        picture_.draw(*map, mapLook(state.painted, state.paintedOver), art_, area(), areaTop);
    else
        cells_.draw(*map, mapLook(state.painted, state.paintedOver), art_, area(), areaTop);
    if (state.editing)
        MapCells::drawGrid(*map, area(), areaTop);
}

std::string MapView::statusText(const ViewState& state) {
    if (state.unsavedAsked)
        return unsavedQuestion;
    Map* map = maps_.at(state.mapIndex);
    if (!edit_.line().empty())
        return edit_.line();
    if (!map)
        return noMapText;
    if (map->changedOnDisk && map->unsaved())
        return "changed on disk";
    if (!mapsRead_)
        return notLoadedText;
    if (!map->read)
        return unreadableText;
    int column = 0, row = 0;
    // While editing the line shows the brush, what a stroke paints.
    if (state.editing) {
        const size_t room = mapLineRoom(std::min(area().width, brushLineWidth));
        return brushText(state.brush, state.brush ? art_.of(*state.brush).what : "", room);
    }
    // An earlier run's unsaved edits are offered until `u` takes them or a save drops them.
    if (map->recovery && !map->recoveryTaken)
        return recoveryOffer(localTime(map->recovery->modified, "%H:%M"));
    if (cellAt(*map, state.pointerX, state.pointerY, column, row))
        return hoverText(*map, column, row);
    return mapSummary(map->width, map->height, strayPixels(*map), map->view.zoom());
}

void MapView::drawLines(const ViewState& state) {
    const Map* map = maps_.at(state.mapIndex);
    const size_t room = mapLineRoom(area().width);
    Screen::get().drawLabel(
        mapCaption(map ? &map->path : nullptr, room, state.editing, map && map->unsaved()), 0,
        captionY);
    int32_t y = statusY;
    for (const std::string& line : mapStatusLines(statusText(state), room)) {
        Screen::get().drawLabel(line, 0, y);
        y += statusY - captionY;
    }
}

bool MapView::cellAt(const Map& map, int x, int y, int& column, int& row) const {
    if (!map.read || x < 0 || y < areaTop || x >= area().width)
        return false;
    return map.view.cellAt({double(x), double(y - areaTop)}, {map.width, map.height}, column, row);
}

std::string MapView::hoverText(const Map& map, int column, int row) {
    const uint32_t pixel = map.at(column, row);
    const CellArt& art = art_.of(pixel);
    const size_t room = mapLineRoom(area().width);
    // A stray names the marker it was most likely meant to be, by the check's rule.
    if (art.kind == CellArt::Stray) {
        const Meant meant = art_.meantAt(
            {map.pixels().data(), map.width, map.height, size_t(map.width)}, column, row);
        const std::string what = meant.kind == Meant::None ? "" : art_.of(meant.marker).meant;
        return strayHover(column, row, pixel, meant, what, art_.snap(), room);
    }
    return cellHover(column, row, pixel, art.what, art.object, room);
}

ViewState MapView::applyEvent(ViewState state, const SDL_Event& event, bool& taken) {
    Map* map = maps_.at(state.mapIndex);
    taken = false;
    if (!map || state.viewMode != ViewMode::Map)
        return state;
    maps_.shareUndoBudget(*map);
    taken = edit_.apply(state, event, *map, art_, {MapView::area(), areaTop}, problems_);
    if (taken)
        return state;
    MapNavigation& view = map->view;
    const MapNavigation::Size cells = {map->width, map->height};
    const MapNavigation::Size area = MapView::area();
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
                const CellArt& art = art_.of(map->at(column, row));
                if (art.hasRow) {
                    state = showRowOf(state, art.marker, art_.level());
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
