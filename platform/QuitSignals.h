#pragma once

// SIGINT, SIGTERM and SIGHUP (where the system has it) told apart from the window's close
// button: the program's own handlers, which only set a flag that the main loop reads, so that
// a signal ends the program without the question the close button asks. Installed after the
// window opens, they replace the handlers the window library made for these signals.

// Installs the handlers. Never fails: a signal whose handler cannot be set keeps its own.
void catchQuitSignals();
// Whether one of the signals has come. Never fails.
bool quitSignalled();
