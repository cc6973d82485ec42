#pragma once

#include "app/ViewMode.h"

#include <SDL_keysym.h>

// What the keys choose: the page, the view and whether to quit.
struct ViewState {
    ViewMode viewMode = ViewMode::Textures;
    int pageIndex = 0; // 0..21; kept when the view changes
    bool quit = false;
    bool rescan = false; // F5: scan the level again now; cleared once done
};

// The key table: the state after a key-down of `key`. The digit row picks pages 0 to 9 from
// left to right (1 is page 0, 0 is page 9), then q w e r, a s d f, z x c v pages 10 to 21;
// t, o and y pick the view; Escape quits; F5 asks for a rescan. Every other key leaves the
// state as it was.
ViewState applyKey(ViewState state, SDLKey key);
