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

} // namespace

void exitWhenDisplayIsLost() {
    XSetIOErrorHandler(displayLost);
}
#else
void exitWhenDisplayIsLost() {}
#endif
