#pragma once

#include <string>

// The absolute path of an existing file or folder with its links resolved, '/' between its
// parts (on Windows: made absolute, links kept); "" when it does not exist or cannot be
// resolved. Never fails.
std::string realPath(const std::string& path);
