#include "app/KeyTable.h"

#include <SDL_mouse.h>
#include <algorithm>

namespace {

// The page keys in page order, as they lie on the keyboard.
constexpr SDLKey pageKeys[] = {
    SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9, SDLK_0, SDLK_q,
    SDLK_w, SDLK_e, SDLK_r, SDLK_a, SDLK_s, SDLK_d, SDLK_f, SDLK_z, SDLK_x, SDLK_c, SDLK_v,
};

constexpr int pageKeyCount = int(sizeof pageKeys / sizeof pageKeys[0]);

// The browsing keys; a page past the last one that holds a row (reached with a page key) is
// left by Page Up or Home, never made further by Page Down.
ViewState browse(ViewState state, SDLKey key, int pageCount) {
    const int lastPage = pageCount - 1;
    switch (key) {
    case SDLK_PAGEDOWN:
        if (state.pageIndex < lastPage)
            ++state.pageIndex;
        break;
    case SDLK_PAGEUP:
        state.pageIndex = std::max(0, state.pageIndex - 1);
        break;
    case SDLK_HOME:
        state.pageIndex = 0;
        break;
    case SDLK_END:
        state.pageIndex = lastPage;
        break;
    default:
        break;
    }
    return state;
}

constexpr char firstPrintable = ' ';
constexpr char lastPrintable = '~';

std::string& filterOf(ViewState& state) {
    return state.viewMode == ViewMode::Textures ? state.texturesFilter : state.objectsFilter;
}

// A key while the find line is open: it types, or ends the typing.
ViewState typeKey(ViewState state, SDLKey key, char typed) {
    std::string& filter = filterOf(state);
    switch (key) {
    case SDLK_ESCAPE:
        filter.clear();
        state.typing = false;
        state.pageIndex = 0;
        return state;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        state.typing = false;
        return state;
    case SDLK_BACKSPACE:
        if (!filter.empty()) {
            filter.pop_back();
            state.pageIndex = 0;
        }
        return state;
    default:
        break;
    }
    if (typed >= firstPrintable && typed <= lastPrintable) {
        filter += typed;
        state.pageIndex = 0;
    }
    return state;
}

// t or o: the view shown, keeping the page, except that a change of view from a page past the
// page keys' range (which only End, Page Down and the wheel reach) and past the new view's last
// page that holds a row goes to that last page.
ViewState showList(ViewState state, ViewMode viewMode, PageCounts pages) {
    const int lastPage = pages.of(viewMode) - 1;
    if (state.viewMode != viewMode && state.pageIndex >= pageKeyCount && state.pageIndex > lastPage)
        state.pageIndex = lastPage;
    state.viewMode = viewMode;
    return state;
}

} // namespace

bool mapKeyRepeats(SDLKey key) {
    switch (key) {
    case SDLK_LEFT:
    case SDLK_RIGHT:
    case SDLK_UP:
    case SDLK_DOWN:
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_PLUS:
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        return true;
    default:
        return false;
    }
}

std::string shownFilter(const ViewState& state) {
    if (state.viewMode == ViewMode::Textures)
        return state.texturesFilter;
    if (state.viewMode == ViewMode::Objects)
        return state.objectsFilter;
    return "";
}

ViewState applyKey(ViewState state, SDLKey key, PageCounts pages, char typed) {
    if (state.typing)
        return typeKey(state, key, typed);
    const bool onMap = state.viewMode == ViewMode::Map;
    // The line opens with the view's filter, to refine it: nothing changes but the typing.
    if ((key == SDLK_SLASH || typed == '/') && state.viewMode != ViewMode::CollisionColors &&
        !onMap) {
        state.typing = true;
        return state;
    }
    switch (key) {
    case SDLK_ESCAPE:
        // A kept filter shown goes first, as in the open line; with none shown Escape quits.
        if (shownFilter(state).empty())
            state.quit = true;
        else
            state = typeKey(state, key, 0);
        return state;
    case SDLK_t:
        return showList(state, ViewMode::Textures, pages);
    case SDLK_o:
        return showList(state, ViewMode::Objects, pages);
    case SDLK_y:
        state.viewMode = ViewMode::CollisionColors;
        return state;
    case SDLK_b:
        state.background = state.background == Background::White          ? Background::Checkerboard
                           : state.background == Background::Checkerboard ? Background::Grey
                                                                          : Background::White;
        return state;
    case SDLK_i:
        state.infoShown = !state.infoShown;
        return state;
    case SDLK_m:
        if (onMap)
            ++state.mapIndex;
        state.viewMode = ViewMode::Map;
        return state;
    case SDLK_p:
        if (onMap)
            state.painted = !state.painted;
        return state;
    case SDLK_l:
        if (onMap)
            state.paintedOver = !state.paintedOver;
        return state;
    case SDLK_PAGEDOWN:
    case SDLK_PAGEUP:
    case SDLK_HOME:
    case SDLK_END:
        if (state.viewMode == ViewMode::CollisionColors || onMap)
            return state;
        return browse(state, key, pages.of(state.viewMode));
    case SDLK_F5:
        state.rescan = true;
        return state;
    default:
        break;
    }
    for (int page = 0; page < pageKeyCount && !onMap; ++page) {
        if (pageKeys[page] == key)
            state.pageIndex = page;
    }
    return state;
}

bool keyRepeats(const ViewState& state, SDLKey key) {
    if (state.typing)
        return key == SDLK_BACKSPACE;
    if (state.viewMode == ViewMode::Map)
        return mapKeyRepeats(key);
    return key == SDLK_PAGEDOWN || key == SDLK_PAGEUP;
}

SDLKey keyOfMouseButton(uint8_t button) {
    if (button == SDL_BUTTON_WHEELUP)
        return SDLK_PAGEUP;
    if (button == SDL_BUTTON_WHEELDOWN)
        return SDLK_PAGEDOWN;
    return SDLK_UNKNOWN;
}
