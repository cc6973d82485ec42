// A Windows OpenGL library without wglUseFontBitmapsA, built with mingw-w64 as
// "OpenGL32.DLL": every other entry point the viewer or SDL asks for jumps to the system's
// own library. Beside the viewer, and preferred to Wine's built-in one
// (WINEDLLOVERRIDES=opengl32=n,b), it is a GL library that lacks one of the 47.
#include "gfx/GlEntryPoints.h"

#include <windows.h>

#include <cstring>

// Each entry point is a jump through a pointer that DllMain fills from the system library.
#define FORWARD(name)                                                                              \
    extern "C" {                                                                                   \
    void* to_##name = nullptr;                                                                     \
    }                                                                                              \
    asm(".globl " #name "\n" #name ": jmp *to_" #name "(%rip)\n"                                   \
        ".ifnc " #name ",wglUseFontBitmapsA\n"                                                     \
        ".section .drectve\n.ascii \" -export:" #name "\"\n.text\n"                                \
        ".endif\n");
#define FORWARD_ENTRY_POINT(result, name, params) FORWARD(name)
// The rest of the Windows binding, which SDL uses to make the context, and what SDL and the
// viewer ask for besides the 47.
// clang-format off
#define OTHER_ENTRY_POINTS(X)                                                                      \
    X(wglChoosePixelFormat) X(wglCopyContext) X(wglCreateContext) X(wglCreateLayerContext)        \
    X(wglDeleteContext) X(wglDescribeLayerPlane) X(wglDescribePixelFormat)                        \
    X(wglGetCurrentContext) X(wglGetCurrentDC) X(wglGetDefaultProcAddress)                        \
    X(wglGetLayerPaletteEntries) X(wglGetPixelFormat) X(wglGetProcAddress) X(wglMakeCurrent)      \
    X(wglRealizeLayerPalette) X(wglSetLayerPaletteEntries) X(wglSetPixelFormat)                   \
    X(wglShareLists) X(wglSwapBuffers) X(wglSwapLayerBuffers) X(wglUseFontBitmapsW)              \
    X(wglUseFontOutlinesA) X(wglUseFontOutlinesW)                                                 \
    X(glGetString) X(glGetError) X(glIsEnabled) X(glGetFloatv) X(glGetIntegerv) X(glScissor)     \
    X(glReadPixels) X(glCopyPixels) X(glCopyTexImage1D) X(glCopyTexSubImage1D)                    \
    X(glCopyTexImage2D) X(glCopyTexSubImage2D) X(glPopClientAttrib) X(glPushClientAttrib)         \
    X(glPixelStorei) X(glTexSubImage2D) X(glFlush)
// clang-format on

LEVELCOLORS_GL_ENTRY_POINTS(FORWARD_ENTRY_POINT)
OTHER_ENTRY_POINTS(FORWARD)

namespace {

struct Forward {
    const char* name;
    void** to;
};

#define FORWARD_SLOT(name) {#name, &to_##name},
#define FORWARD_ENTRY_POINT_SLOT(result, name, params) FORWARD_SLOT(name)
const Forward forwards[] = {LEVELCOLORS_GL_ENTRY_POINTS(FORWARD_ENTRY_POINT_SLOT)
                                OTHER_ENTRY_POINTS(FORWARD_SLOT)};

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH - 16);
    if (length == 0 || length >= MAX_PATH - 16)
        return FALSE;
    std::strcat(path, "\\opengl32.dll");
    const HMODULE system = LoadLibraryA(path);
    if (!system)
        return FALSE;
    for (const Forward& forward : forwards)
        *forward.to = reinterpret_cast<void*>(GetProcAddress(system, forward.name));
    return TRUE;
}
