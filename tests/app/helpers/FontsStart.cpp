// Opens the viewer's screen in the working folder, gives the fonts their images as the viewer
// does at start-up, draws a label and ends with status 0.
#include "app/Fonts.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"

int main() {
    Screen& screen = Screen::get();
    Fonts::load();
    screen.drawLabel("AB", 10, 20);
    Renderer::get().glFinish();
    return 0;
}
