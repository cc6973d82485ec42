#pragma once

#include "app/ViewMode.h"

#include <SDL_keysym.h>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What the page is drawn on: the page background image, or one of two plain backdrops that
// show white-on-transparent art.
enum class Background { White, Checkerboard, Grey };

// A level being loaded: how many of its files are read, of how many (0 while they are listed).
struct LoadingProgress {
    size_t read = 0;
    size_t files = 0;
};

// What the keys choose: the page, the view, how the page is shown and whether to quit.
struct ViewState {
    ViewMode viewMode = ViewMode::Textures;
    // 0..21 by the page keys, any page by the browsing keys; kept when the view changes (but
    // see applyKey for a page past both the page keys and the new view's last page).
    int pageIndex = 0;
    bool quit = false;
    Background background = Background::White;
    bool infoShown = false; // paths, colours and the page number over the page
    bool rescan = false;    // F5: scan the level again now; cleared once done
    // The find line: the filter of each paged view, kept while the other is shown, and whether
    // the line is open for typing into the filter of the view shown.
    std::string texturesFilter = "";
    std::string objectsFilter = "";
    bool typing = false;
    // The mouse pointer over the window, for the row under it; -1, -1 when it is elsewhere.
    int pointerX = -1;
    int pointerY = -1;
    // The map view: which map (counted on by m; taken modulo the number of maps), whether
    // cells show the colours as painted rather than their art, and whether the art shows the
    // painted colours at half opacity over it.
    size_t mapIndex = 0;
    bool painted = false;
    bool paintedOver = false;
    // After a click on a map cell: the colour of the row it went to, framed until the next key
    // or click, and named by the hover lines until the pointer moves.
    std::optional<uint32_t> marked = std::nullopt;
    bool markHovered = false;
    // While the level loads, the caption line says how far it has come.
    std::optional<LoadingProgress> loading = std::nullopt;
    // Editing (`e` in the map view): the brush's colour (none until one is picked, 0 the
    // empty brush) and its side in cells, which a right click on a list row picks too.
    bool editing = false;
    std::optional<uint32_t> brush = std::nullopt;
    int brushSize = 1;
    // Escape or the close button with unsaved edits asks first; the next key answers.
    bool unsavedAsked = false;
};

// The filter of the view shown: "" for none, and always on the collision view.
std::string shownFilter(const ViewState& state);

// How many pages hold a row, per paged view; at least 1, since a view without rows still has
// its one (empty) page.
struct PageCounts {
    int textures = 1;
    int objects = 1;

    // The count of a view: the objects view's for every view but the textures view.
    int of(ViewMode viewMode) const { return viewMode == ViewMode::Textures ? textures : objects; }
};

// The key table: the state after a key-down of `key`. The digit row picks pages 0 to 9 from
// left to right (1 is page 0, 0 is page 9), then q w e r, a s d f, z x c v pages 10 to 21;
// t, o and y pick the view, keeping the page, except that t or o from a page past page 21 and
// past the new view's last page that holds a row (`pages`) goes to that last page. Escape
// clears a kept filter shown in the view and closes its line, as in the open line below, and
// quits only when no filter is shown. Page Down and Page Up step through the pages of the
// textures or objects view, staying on the first page and on the last page that holds a row;
// Home and End go to those two; on the collision view they do nothing. b cycles the
// background (white, checkerboard, grey); i shows or hides the info overlay. Every other key
// leaves the state as it was. F5 asks for a rescan. `/` (the key, or any key that types it)
// opens the find line on the textures or objects view, holding the view's filter to refine it,
// on the same page. While it is open the keys type: `typed`, the printable character a key
// types (0 for none), goes to the end of the view's filter, Backspace takes the last one off,
// Enter closes the line and keeps the filter, and Escape clears the filter and closes the
// line, without quitting; each change to the filter goes back to the first page. Other keys do
// nothing while the line is open. m shows the map view, and in it the next map; p there
// toggles the colours as painted, l the painted colours over the art (elsewhere l does
// nothing). In the map view the page keys, the browsing keys and `/`
// do nothing (the map view's own keys are app/MapView's), and the list views keep their
// pages.
ViewState applyKey(ViewState state, SDLKey key, PageCounts pages, char typed = 0);

// Whether holding `key` acts again at each key-down SDL repeats (at its default delay and
// interval): Page Down and Page Up do, and Backspace while the find line is open for typing;
// in the map view the arrows and the zoom keys do; every other key acts once per press.
bool keyRepeats(const ViewState& state, SDLKey key);

// The map view's keys that repeat while held: the arrows and the zoom keys (+, =, -, and the
// keypad's plus and minus).
bool mapKeyRepeats(SDLKey key);

// The key a mouse button press stands for: a wheel step is one press of Page Up or Page Down
// (never a key held down). Any other button gives SDLK_UNKNOWN, which the table ignores.
SDLKey keyOfMouseButton(uint8_t button);
