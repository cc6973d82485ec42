#include "platform/GlLibrary.h"

const char* glLibraryName() {
#ifdef _WIN32
    return "OpenGL32.DLL";
#else
    return nullptr;
#endif
}

bool glHasWindowsFontEntryPoint() {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}
