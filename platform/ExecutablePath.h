#pragma once

#include <string>

// The absolute path of the running program's executable, symbolic links resolved, whatever
// the working folder; "" when the system cannot tell.
std::string executablePath();
