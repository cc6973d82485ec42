#pragma once

// From this call on, losing the connection to the X display (the server stopped, a dropped
// remote session) writes one line on standard error, "Lost the display <name>", and ends
// the process at once with status 1; so does an X request that fails (the window destroyed
// by another program), with "Lost the window on the display <name>" instead of Xlib's own
// text. Without it the default handler exits through the atexit handlers, and SDL's shut-down
// there waits for the dead display for ever. Call it once the window is open; does nothing on
// a system without X.
void exitWhenDisplayIsLost();
