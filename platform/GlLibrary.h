#pragma once

// The name under which the OpenGL library is opened: the system library's own name on
// Windows; elsewhere null, which lets SDL pick the platform's default library.
const char* glLibraryName();

// Whether the Windows font entry point belongs in the GL table on this platform: SDL's
// other drivers have no such function, and some return null for it.
bool glHasWindowsFontEntryPoint();
