#pragma once

// Keeps the GL drivers that are loaded now (Mesa's DRI modules) in memory until the process
// ends. SDL_Quit unloads them, and a leak they hold could then no longer be told apart from the
// project's own by the leak checker, nor suppressed by library name.
void keepGlDriversResident();
