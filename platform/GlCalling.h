#pragma once

// The calling convention of the GL library's entry points: Windows's GL library uses the
// standard call convention of its system interface (which 64-bit code ignores); elsewhere
// the C one.
#ifdef _WIN32
#define LEVELCOLORS_GLAPI __stdcall
#else
#define LEVELCOLORS_GLAPI
#endif
