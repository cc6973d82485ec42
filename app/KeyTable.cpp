#include "app/KeyTable.h"

namespace {

// The page keys in page order, as they lie on the keyboard.
constexpr SDLKey pageKeys[] = {
    SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9, SDLK_0, SDLK_q,
    SDLK_w, SDLK_e, SDLK_r, SDLK_a, SDLK_s, SDLK_d, SDLK_f, SDLK_z, SDLK_x, SDLK_c, SDLK_v,
};

} // namespace

ViewState applyKey(ViewState state, SDLKey key) {
    switch (key) {
    case SDLK_ESCAPE:
        state.quit = true;
        return state;
    case SDLK_t:
        state.viewMode = ViewMode::Textures;
        return state;
    case SDLK_o:
        state.viewMode = ViewMode::Objects;
        return state;
    case SDLK_y:
        state.viewMode = ViewMode::CollisionColors;
        return state;
    case SDLK_F5:
        state.rescan = true;
        return state;
    default:
        break;
    }
    for (int page = 0; page < int(sizeof pageKeys / sizeof pageKeys[0]); ++page) {
        if (pageKeys[page] == key)
            state.pageIndex = page;
    }
    return state;
}
