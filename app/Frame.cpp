#include "app/Frame.h"

#include "app/Pages.h"
#include "gfx/Image.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"

#include <SDL.h>

Decoration loadDecoration(const char* path) {
    Decoration decoration;
    bool refused = false;
    SDL_Surface* image = loadImage(path, &refused);
    if (!image && !refused)
        reportUnloadableImage(path);
    decoration.texture = Renderer::get().uploadSurface(image, decoration.window, path);
    SDL_FreeSurface(image);
    return decoration;
}

void drawBackground(const Decoration& background) {
    Screen& screen = Screen::get();
    Renderer::get().glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    screen.drawQuad(background.texture, &background.window,
                    Rect{0, 0, screen.view.w, screen.view.h});
}

ViewState finishFrame(ViewState state, const Decoration& overlay) {
    Screen& screen = Screen::get();
    drawPage(state.viewMode, state.pageIndex);
    // 81 pixels high, the overlay reaches one pixel past the window's bottom edge.
    const Rect overlayRect = {5, int16_t(screen.view.h - 80), 51, 81};
    if (overlay.texture)
        screen.drawQuad(overlay.texture, &overlay.window, overlayRect);
    Renderer::get().glFinish();
    SDL_GL_SwapBuffers();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN)
            state = applyKey(state, event.key.keysym.sym);
    }
    return state;
}
