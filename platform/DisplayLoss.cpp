#include "platform/DisplayLoss.h"

#ifdef LEVELCOLORS_HAVE_X11
#include <X11/Xlib.h>
#include <cstdio>
#include <unistd.h>

namespace {

int displayLost(Display* display) {
    std::fprintf(stderr, "Lost the display %s\n", display ? DisplayString(display) : "");
    std::fflush(stderr);
    // Nothing may run after this: every exit handler would talk to the dead display again.
    _exit(1);
}

// Any failed request on the viewer's connection means its window is gone (destroyed by
// another program): the next swap would fail the same way, so the viewer ends as for a lost
// display, in its own words.
int windowLost(Display* display, XErrorEvent*) {
    std::fprintf(stderr, "Lost the window on the display %s\n",
                 display ? DisplayString(display) : "");
    std::fflush(stderr);
    _exit(1);
}

} // namespace

void exitWhenDisplayIsLost() {
    XSetIOErrorHandler(displayLost);
    XSetErrorHandler(windowLost);
}
#else
void exitWhenDisplayIsLost() {}
#endif
