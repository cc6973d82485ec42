#include "app/FramePacing.h"
#include "app/KeyTable.h"
#include "app/Level.h"
#include "app/Pages.h"
#include "gfx/Image.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"

#include <SDL.h>

namespace {

struct Decoration {
    uint32_t texture = 0;
    TexCoords window = {0, 0, 0, 0};
};

// The background and the overlay are kept as uploaded textures for the whole run; their
// surfaces are not needed once uploaded. A missing image is reported and leaves texture 0.
Decoration loadDecoration(const char* path) {
    Decoration decoration;
    SDL_Surface* image = loadImage(path);
    if (!image)
        reportUnloadableImage(path);
    decoration.texture = Renderer::get().uploadSurface(image, decoration.window);
    SDL_FreeSurface(image);
    return decoration;
}

ViewState applyQueuedKeys(ViewState state) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN)
            state = applyKey(state, event.key.keysym.sym);
    }
    return state;
}

} // namespace

int main(int, char**) {
    uint32_t lastStamp = SDL_GetTicks();
    Screen& screen = Screen::get();
    Renderer& renderer = Renderer::get();
    loadLevel();
    const Decoration background = loadDecoration("whiteBG.png");
    const Decoration overlay = loadDecoration("scramble.png");
    ViewState state;
    Rect overlayRect = {5, 0, 51, 81};

    while (!state.quit) {
        renderer.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // Without its image the background is still a white quad: texture 0 leaves the
        // current colour, opaque white, as it is.
        screen.drawQuad(background.texture, &background.window,
                        Rect{0, 0, screen.view.w, screen.view.h});
        waitForFramePeriod(lastStamp);
        lastStamp = SDL_GetTicks();
        drawPage(state.viewMode, state.pageIndex);
        overlayRect.y = int16_t(screen.view.h - 80);
        if (overlay.texture)
            screen.drawQuad(overlay.texture, &overlay.window, overlayRect);
        renderer.glFinish();
        SDL_GL_SwapBuffers();
        state = applyQueuedKeys(state);
    }
    SDL_Quit();
    return 0;
}
