#include "app/Frame.h"

#include "app/Pages.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/DataFolder.h"
#include "platform/ImageFile.h"
#include "platform/OwnedSurface.h"
#include "sprites/ImageSource.h"

#include <SDL.h>

Decoration loadDecoration(const char* path) {
    Decoration decoration;
    std::string reason;
    const OwnedSurface image(loadImage(findDataFile(path), &reason));
    if (!image && !reason.empty())
        standardError().report(unloadableImage(path, reason));
    decoration.texture = Renderer::get().upload(image.get(), decoration.window, {path});
    return decoration;
}

void reloadDecoration(Decoration& decoration, const char* path) {
    const Decoration loaded = loadDecoration(path);
    Renderer::get().glDeleteTextures(1, &decoration.texture); // name 0 is ignored
    decoration = loaded;
}

namespace {

constexpr int16_t checkerSquare = 8;
constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t checkerGrey = 0xCCCCCC;
constexpr uint32_t midGrey = 0x808080;

// A checkerboard from the window's top-left corner over `window`, which starts there.
void drawCheckerboard(const Rect& window) {
    // White in the top-left square.
    Screen::get().fillRect(window, white);
    for (int16_t y = 0; y < int16_t(window.h); y += checkerSquare) {
        for (int16_t x = int16_t((1 - y / checkerSquare % 2) * checkerSquare);
             x < int16_t(window.w); x += 2 * checkerSquare)
            Screen::get().fillRect(Rect{x, y, uint16_t(checkerSquare), uint16_t(checkerSquare)},
                                   checkerGrey);
    }
}

// The printable ASCII character a key types (SDL's Unicode translation is on), 0 for none.
char typedCharacter(uint16_t unicode) {
    return unicode >= ' ' && unicode <= '~' ? char(unicode) : 0;
}

// The events that choose what is shown: key-downs, the wheel, which pages, and the pointer,
// whose row is named. The page counts are only needed, and counted, when a key or button
// comes. A wheel step is one press of its page key, never a held key.
ViewState applyEvent(ViewState state, const SDL_Event& event, const LevelContents& level,
                     MapView& map);

// Whether a key-down is a modifier alone, which answers nothing.
bool modifierAlone(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && event.key.keysym.sym >= SDLK_RSHIFT &&
           event.key.keysym.sym <= SDLK_COMPOSE;
}

// Escape or the close button while a map has unsaved edits asks first; the answer is the next
// key: Ctrl+S saves them all, Escape quits, any other key cancels; a second close quits.
ViewState askBeforeQuitting(ViewState state, const SDL_Event& event, const LevelContents& level,
                            MapView& map) {
    if (state.unsavedAsked) {
        if (event.type == SDL_QUIT) {
            state.quit = true;
            return state;
        }
        if (event.type != SDL_KEYDOWN || modifierAlone(event))
            return applyEvent(state, event, level, map);
        state.unsavedAsked = false;
        const SDLKey key = event.key.keysym.sym;
        if (key == SDLK_ESCAPE)
            state.quit = true;
        else if (key == SDLK_s && (event.key.keysym.mod & KMOD_CTRL))
            map.saveAll();
        return state;
    }
    const ViewState after = applyEvent(state, event, level, map);
    if (after.quit && !state.quit && map.anyUnsaved()) {
        ViewState asking = after;
        asking.quit = false;
        asking.unsavedAsked = true;
        return asking;
    }
    return after;
}

ViewState applyEvent(ViewState state, const SDL_Event& event, const LevelContents& level,
                     MapView& map) {
    // A row marked after a click on a map cell stays until the next key or click; the hover
    // lines name it until the pointer moves.
    if (event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN)
        state.marked = std::nullopt;
    bool taken = false;
    if (state.viewMode == ViewMode::Map)
        state = map.applyEvent(state, event, taken);
    if (taken)
        return state;
    // A right click on a row of a list takes its colour for the brush.
    if (state.viewMode != ViewMode::Map && !state.typing && event.type == SDL_MOUSEBUTTONDOWN &&
        event.button.button == SDL_BUTTON_RIGHT) {
        if (const std::optional<uint32_t> colour = rowColourAt(state, level, event.button.y))
            state.brush = *colour;
        return state;
    }
    if (event.type == SDL_KEYDOWN)
        return applyKey(state, event.key.keysym.sym, countPages(state, level),
                        typedCharacter(event.key.keysym.unicode));
    if (event.type == SDL_MOUSEBUTTONDOWN)
        return applyKey(state, keyOfMouseButton(event.button.button), countPages(state, level));
    // The pointer, for the row under it. When the window opens SDL reports a move of nothing
    // to the window's middle, wherever the pointer is, so only a real move counts; a move
    // that leaves the window (reported at its edge) forgets it, as leaving does.
    if (event.type == SDL_MOUSEMOTION && (event.motion.xrel != 0 || event.motion.yrel != 0)) {
        const bool inside = (SDL_GetAppState() & SDL_APPMOUSEFOCUS) != 0;
        state.pointerX = inside ? event.motion.x : -1;
        state.pointerY = inside ? event.motion.y : -1;
        state.markHovered = false;
    }
    if (event.type == SDL_ACTIVEEVENT && (event.active.state & SDL_APPMOUSEFOCUS) &&
        !event.active.gain)
        state.pointerX = state.pointerY = -1;
    // The close button arrives as a quit event (the signals are the program's own).
    if (event.type == SDL_QUIT)
        state.quit = true;
    return state;
}

// The backdrop over the top `height` rows of the window, as the whole window has it.
void drawBackdrop(const Decoration& background, Background chosen, uint16_t height) {
    Screen& screen = Screen::get();
    const Rect strip = {0, 0, screen.view.w, height};
    if (chosen == Background::Checkerboard)
        drawCheckerboard(strip);
    else if (chosen == Background::Grey)
        screen.fillRect(strip, midGrey);
    else {
        // The image's own top part, so that the strip matches what lies below it.
        TexCoords part = background.window;
        part.bottom = part.top + (part.bottom - part.top) * float(height) / float(screen.view.h);
        screen.drawQuad(background.texture, &part, strip);
    }
}

} // namespace

void drawBackground(const Decoration& background, Background chosen) {
    Renderer::get().glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBackdrop(background, chosen, Screen::get().view.h);
}

ViewState finishFrame(ViewState state, const LevelContents& level, const Decoration& background,
                      const Decoration& overlay, HeldKeys& held, MapView& map, bool& eventsCame) {
    Screen& screen = Screen::get();
    if (state.viewMode == ViewMode::Map) {
        map.drawCells(state);
        // Cells that reach above the area are covered, as no scissor is at hand.
        drawBackdrop(background, state.background, uint16_t(MapView::areaTop));
        map.drawLines(state);
    } else
        drawPage(state, level);
    // 81 pixels high, the overlay reaches one pixel past the window's bottom edge. It lies in
    // the map's area, which it would hide.
    const Rect overlayRect = {5, int16_t(screen.view.h - 80), 51, 81};
    if (overlay.texture && state.viewMode != ViewMode::Map)
        screen.drawQuad(overlay.texture, &overlay.window, overlayRect);
    Renderer::get().glFinish();
    SDL_GL_SwapBuffers();
    SDL_Event event;
    eventsCame = false;
    while (SDL_PollEvent(&event)) {
        held.note(event, event.type == SDL_KEYDOWN && keyRepeats(state, event.key.keysym.sym),
                  SDL_GetTicks());
        state = askBeforeQuitting(state, event, level, map);
        eventsCame = true;
    }
    // A held key acts again while it still repeats in the state it has led to.
    if (const std::optional<SDL_Event> repeat = held.repeatDue(SDL_GetTicks())) {
        if (keyRepeats(state, repeat->key.keysym.sym)) {
            state = askBeforeQuitting(state, *repeat, level, map);
            eventsCame = true;
        } else
            held.letGo();
    }
    return state;
}
