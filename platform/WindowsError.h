#pragma once

#include <string>

// A Windows error code (GetLastError) in the C library's words, so that messages read the
// same as on other systems: "No such file or directory", "Permission denied"...
std::string windowsErrorText(unsigned long code);
