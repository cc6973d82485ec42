#include "gfx/Screen.h"

#include "gfx/Renderer.h"
#include "gfx/WindowTitle.h"
#include "platform/DisplayLoss.h"
#include "platform/GlLibrary.h"
#include "platform/VideoDriver.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

constexpr const char* iconTitle = "testdyngl";

[[noreturn]] void failStartup(const char* format) {
    std::printf(format, SDL_GetError());
    std::exit(1);
}

// The texture's window stretched over the corners, top-left first, clockwise on screen.
void texturedQuad(uint32_t texture, const TexCoords& window, int32_t x0, int32_t y0, int32_t x1,
                  int32_t y1) {
    Renderer& gl = Renderer::get();
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glBegin(GL_QUADS);
    gl.glTexCoord2f(window.left, window.top);
    gl.glVertex2f(float(x0), float(y0));
    gl.glTexCoord2f(window.right, window.top);
    gl.glVertex2f(float(x1), float(y0));
    gl.glTexCoord2f(window.right, window.bottom);
    gl.glVertex2f(float(x1), float(y1));
    gl.glTexCoord2f(window.left, window.bottom);
    gl.glVertex2f(float(x0), float(y1));
    gl.glEnd();
}

// The largest side a Rect's signed fields can place.
constexpr int32_t largestSide = 32767;

// A window asked for at width by height and larger than the display is reduced to it; SDL
// knows the display's size once initialised. A display size SDL does not know leaves the
// window as asked.
void fitToDisplay(Rect& view, int32_t width, int32_t height) {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info || info->current_w <= 0 || info->current_h <= 0)
        return;
    const int32_t fittedWidth = std::min(int32_t(view.w), int32_t(info->current_w));
    const int32_t fittedHeight = std::min(int32_t(view.h), int32_t(info->current_h));
    if (fittedWidth == width && fittedHeight == height)
        return;
    std::fprintf(stderr,
                 "The window of %dx%d does not fit the display of %dx%d; it opens at %dx%d\n",
                 int(width), int(height), info->current_w, info->current_h, int(fittedWidth),
                 int(fittedHeight));
    std::fflush(stderr);
    view.w = uint16_t(fittedWidth);
    view.h = uint16_t(fittedHeight);
}

} // namespace

Screen& Screen::get() {
    return instance(screenWidth, screenHeight, false);
}

Screen& Screen::open(int32_t width, int32_t height) {
    return instance(width, height, true);
}

Screen& Screen::instance(int32_t width, int32_t height, bool fit) {
    // Published only once construction has returned; never destroyed.
    static Screen* screen = new Screen(width, height, fit);
    return *screen;
}

Screen::Screen(int32_t width, int32_t height, bool fit) {
    view = Rect{0, 0, uint16_t(std::clamp(width, int32_t(1), largestSide)),
                uint16_t(std::clamp(height, int32_t(1), largestSide))};

    // Without a display SDL would otherwise fall back to a driver that shows no window and
    // never ends.
    chooseDesktopVideoDrivers();
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        failStartup("Unable to init SDL : %s\n");
    std::atexit(SDL_Quit);

    if (SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) < 0)
        failStartup("Unable to set GL attribute : %s\n");
    if (SDL_GL_LoadLibrary(glLibraryName()) < 0)
        failStartup("Unable to dynamically open GL lib : %s\n");

    // Other sizes than asked for are accepted.
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 32);

    // The default size is the viewer's own, opened as it always was.
    if (fit)
        fitToDisplay(view, width, height);
    if (!SDL_SetVideoMode(view.w, view.h, 32, SDL_OPENGL))
        failStartup("Unable to open video mode : %s\n");
    SDL_WM_SetCaption(windowTitle, iconTitle);
    exitWhenDisplayIsLost();

    Renderer& gl = Renderer::get();

    // Pixel coordinates, origin top-left, y down; every 2-D quad lies at depth 0, so with
    // the less-or-equal test later quads paint over earlier ones.
    gl.glViewport(0, 0, view.w, view.h);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.glOrtho(0, view.w, view.h, 0, -1, 1);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glClearColor(0, 0, 0, 0.5f);
    gl.glClearDepth(1.0);
    gl.glDepthFunc(GL_LEQUAL);
    gl.glEnable(GL_DEPTH_TEST);
    gl.glShadeModel(GL_SMOOTH);
    gl.glDisable(GL_CULL_FACE);
    gl.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl.glEnable(GL_BLEND);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.glEnable(GL_TEXTURE_2D);
}

void Screen::drawQuad(uint32_t texture, const TexCoords* window, Rect rect) {
    const int32_t x0 = rect.x;
    const int32_t y0 = rect.y;
    texturedQuad(texture, *window, x0, y0, x0 + int32_t(rect.w), y0 + int32_t(rect.h));
}

void Screen::drawQuadInView(uint32_t texture, const TexCoords* window, Rect rect) {
    // Culled with integers only, before any GL call.
    if (!rectsOverlap(rect, view))
        return;
    const int32_t x0 = int32_t(rect.x) - int32_t(view.x);
    const int32_t y0 = int32_t(rect.y) - int32_t(view.y);
    texturedQuad(texture, *window, x0, y0, x0 + int32_t(rect.w), y0 + int32_t(rect.h));
}

void Screen::drawLabel(std::string text, int32_t x, int32_t y) {
    Renderer& gl = Renderer::get();
    gl.glColor4f(0, 0, 0, 1);
    // Glyph tops 14 pixels above y, so a 16-pixel glyph covers rows y - 14 to y + 2.
    gl.drawText(x, y - 14, std::move(text), true);
    gl.glColor4f(1, 1, 1, 1);
}

void Screen::fillRect(Rect rect, uint32_t rgb, uint8_t alpha) {
    Renderer& gl = Renderer::get();
    const TexCoords none = {0, 0, 0, 0};
    gl.glColor4ub(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), alpha);
    drawQuad(0, &none, rect); // texture 0 leaves the colour as it is
    gl.glColor4f(1, 1, 1, 1);
}
