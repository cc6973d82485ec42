// Opens the viewer's screen in the working folder, draws a label and ends with status 0.
// A start-up failure ends it earlier, with the Screen's own line and status.
#include "gfx/Renderer.h"
#include "gfx/Screen.h"

int main() {
    Screen& screen = Screen::get();
    screen.drawLabel("AB", 10, 20);
    Renderer::get().glFinish();
    return 0;
}
