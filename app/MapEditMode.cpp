#include "app/MapEditMode.h"

#include "app/MapSave.h"
#include "app/MapStatusText.h"
#include "app/RecoveryCopies.h"

#include <SDL.h>
#include <algorithm>

namespace {

// The brush's sides, as `[` and `]` step through them.
constexpr int brushSizes[] = {1, 2, 4, 8, 16};
constexpr int brushSizeCount = int(sizeof brushSizes / sizeof brushSizes[0]);

int brushStep(int size, int step) {
    int at = 0;
    while (at + 1 < brushSizeCount && brushSizes[at] < size)
        ++at;
    return brushSizes[std::clamp(at + step, 0, brushSizeCount - 1)];
}

// A stray is snapped to its marker opaque: markers are opaque colours.
constexpr uint32_t opaque = 0xFF000000u;

const char* const changedOnDiskRefusal = "changed on disk: ^S again saves over it";

} // namespace

size_t strayCount(const MapList::Map& map, CellArtTable& art) {
    size_t strays = 0;
    // Maps are painted in runs of one colour: each run looked up once.
    uint32_t last = 0;
    bool lastStray = art.of(last).kind == CellArt::Stray;
    for (const uint32_t pixel : map.pixels()) {
        if (pixel != last) {
            last = pixel;
            lastStray = art.of(pixel).kind == CellArt::Stray;
        }
        strays += lastStray;
    }
    return strays;
}

bool MapEditMode::apply(ViewState& state, const SDL_Event& event, MapList::Map& map,
                        CellArtTable& art, Area area, DiagnosticSink& sink) {
    // A line shows until the next key (a modifier alone is none) or button.
    const bool modifierAlone = event.type == SDL_KEYDOWN && event.key.keysym.sym >= SDLK_RSHIFT &&
                               event.key.keysym.sym <= SDLK_COMPOSE;
    if ((event.type == SDL_KEYDOWN && !modifierAlone) || event.type == SDL_MOUSEBUTTONDOWN) {
        line_.clear();
        const bool asked = overChangesAsked_;
        overChangesAsked_ = false;
        if (asked && event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_s &&
            (event.key.keysym.mod & KMOD_CTRL)) {
            overChangesAsked_ = true; // still showing for the save that follows
            line_ = changedOnDiskRefusal;
        }
    }
    if (event.type == SDL_ACTIVEEVENT && (event.active.state & SDL_APPINPUTFOCUS) &&
        !event.active.gain)
        spaceHeld_ = ctrlHeld_ = shiftHeld_ = false; // no key-up comes without the focus
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
        const bool down = event.type == SDL_KEYDOWN;
        switch (event.key.keysym.sym) {
        case SDLK_SPACE:
            spaceHeld_ = down;
            break;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            ctrlHeld_ = down;
            break;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            shiftHeld_ = down;
            break;
        default:
            break;
        }
        if (event.type == SDL_KEYDOWN)
            return applyKey(state, event, map, art, area, sink);
        return false;
    }
    return applyButton(state, event, map, area);
}

bool MapEditMode::applyKey(ViewState& state, const SDL_Event& event, MapList::Map& map,
                           CellArtTable& art, Area area, DiagnosticSink& sink) {
    const SDLKey key = event.key.keysym.sym;
    const SDLMod mod = event.key.keysym.mod;
    if (mod & KMOD_CTRL) {
        // Every chord is the map view's: none reaches the key table (Ctrl+Y is no `y`).
        if (!map.read)
            return true;
        if (key == SDLK_z && !(mod & KMOD_SHIFT))
            map.editor.undo();
        else if (key == SDLK_y || key == SDLK_z)
            map.editor.redo();
        else if (key == SDLK_s)
            save(map, sink);
        return true;
    }
    switch (key) {
    case SDLK_e:
        state.editing = !state.editing;
        held_ = Held::None;
        return true;
    case SDLK_x:
        state.brush = 0; // the empty brush: RGBA 0, 0, 0, 0
        return true;
    case SDLK_LEFTBRACKET:
        state.brushSize = brushStep(state.brushSize, -1);
        return true;
    case SDLK_RIGHTBRACKET:
        state.brushSize = brushStep(state.brushSize, 1);
        return true;
    case SDLK_n:
        if (map.read)
            snap(map, art);
        return true;
    case SDLK_r:
        MapList::readOne(map, area.size, sink);
        held_ = Held::None;
        return true;
    case SDLK_u:
        takeRecovery(map);
        held_ = Held::None;
        return true;
    default:
        return false;
    }
}

bool MapEditMode::applyButton(ViewState& state, const SDL_Event& event, MapList::Map& map,
                              Area area) {
    if (!map.read)
        return false;
    const MapNavigation::Size cells = {map.width, map.height};
    const auto cellOf = [&](int x, int y) {
        MapEditor::Cell cell;
        map.view.cellOf({double(x), double(y - area.top)}, cell.column, cell.row);
        return cell;
    };
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN: {
        if (event.button.y < area.top || event.button.x >= area.size.width)
            return false;
        const MapEditor::Cell cell = cellOf(event.button.x, event.button.y);
        const bool inside = map.editor.canvas().contains(cell.column, cell.row);
        if (event.button.button == SDL_BUTTON_RIGHT) {
            if (inside)
                state.brush = map.at(cell.column, cell.row);
            return true;
        }
        if (event.button.button == SDL_BUTTON_MIDDLE) {
            held_ = Held::Pan;
            return true;
        }
        if (event.button.button != SDL_BUTTON_LEFT || !state.editing)
            return false;
        if (spaceHeld_) {
            held_ = Held::Pan;
            return true;
        }
        if (!state.brush) {
            say(noBrushText);
            return true;
        }
        const SDLMod mod = SDL_GetModState();
        if (ctrlHeld_ || (mod & KMOD_CTRL)) {
            if (inside)
                map.editor.fill(cell, *state.brush);
            noteDropped(map);
        } else if (shiftHeld_ || (mod & KMOD_SHIFT)) {
            held_ = Held::ShiftPress;
            pressed_ = cell;
        } else {
            map.editor.beginStroke(cell, *state.brush, state.brushSize);
            held_ = Held::Stroke;
        }
        return true;
    }
    case SDL_MOUSEMOTION:
        if (held_ == Held::Pan && (event.motion.xrel != 0 || event.motion.yrel != 0))
            map.view.panBy(event.motion.xrel, event.motion.yrel, cells, area.size);
        else if (held_ == Held::Stroke)
            map.editor.extendStroke(cellOf(event.motion.x, event.motion.y));
        return held_ != Held::None;
    case SDL_MOUSEBUTTONUP: {
        if (event.button.button != SDL_BUTTON_LEFT && event.button.button != SDL_BUTTON_MIDDLE)
            return false;
        const Held held = held_;
        held_ = Held::None;
        if (held == Held::Stroke) {
            map.editor.extendStroke(cellOf(event.button.x, event.button.y));
            map.editor.endStroke();
            noteDropped(map);
        } else if (held == Held::ShiftPress && state.brush) {
            // A click draws a line from the last cell painted; a drag fills a rectangle.
            const MapEditor::Cell cell = cellOf(event.button.x, event.button.y);
            if (cell.column == pressed_.column && cell.row == pressed_.row)
                map.editor.line(cell, *state.brush, state.brushSize);
            else
                map.editor.rectangle(pressed_, cell, *state.brush);
            noteDropped(map);
        }
        return held != Held::None;
    }
    default:
        return false;
    }
}

void MapEditMode::snap(MapList::Map& map, CellArtTable& art) {
    const size_t changed = map.editor.snap(
        [&art](const MapCanvas& before, int column, int row) -> std::optional<uint32_t> {
            if (art.of(before.at(column, row)).kind != CellArt::Stray)
                return std::nullopt;
            const Meant meant = art.meantAt(
                {before.pixels().data(), before.width(), before.height(), size_t(before.width())},
                column, row);
            if (meant.kind == Meant::None)
                return std::nullopt;
            return opaque | meant.marker;
        });
    noteDropped(map);
    const size_t left = strayCount(map, art);
    say("snapped " + std::to_string(changed) + ", " + std::to_string(left) +
        (left == 1 ? " stray left" : " strays left"));
}

bool MapEditMode::save(MapList::Map& map, DiagnosticSink& sink) {
    const bool over = overChangesAsked_;
    overChangesAsked_ = false;
    // Over a change only as the refusal found it: a file changed again is refused again.
    const std::string problem = saveMap(map, over ? changedStamp_ : map.stamp, sink);
    if (problem == "changed on disk") {
        overChangesAsked_ = true;
        changedStamp_ = fileStamp(map.path);
        say(changedOnDiskRefusal);
    } else
        say(problem.empty() ? "saved" : "not saved: " + problem);
    if (problem.empty() && saved_)
        saved_(map);
    return problem.empty();
}

void MapEditMode::takeRecovery(MapList::Map& map) {
    if (!map.recovery) {
        say("no recovery file for this map");
        return;
    }
    if (!map.read) {
        say("recovery not loaded: the map cannot be read");
        return;
    }
    std::string reason;
    const std::optional<MapImage> image =
        MapRecovery::read(map.recovery->path, RecoveryCopies::nameOf(map), reason);
    if (!image) {
        say("recovery not loaded: " + reason);
        return;
    }
    if (image->width != map.width || image->height != map.height) {
        say("not loaded: recovery " + std::to_string(image->width) + "x" +
            std::to_string(image->height) + ", map " + std::to_string(map.width) + "x" +
            std::to_string(map.height));
        return;
    }
    map.editor.replace(image->pixels);
    map.recoveryTaken = true;
    noteDropped(map);
}

void MapEditMode::noteDropped(MapList::Map& map) {
    if (map.editor.history().takeDropped() && !droppedSaid_) {
        droppedSaid_ = true;
        say("undo holds 256 MiB: the oldest steps dropped");
    }
}
