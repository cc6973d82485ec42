#pragma once

#include <string>

// Makes `folder` the process's working folder, so that every relative path resolves inside
// it. Returns "" on success, else the system's reason ("No such file or directory", "Not a
// directory"...), the working folder unchanged.
std::string enterFolder(const std::string& folder);

// The working folder's absolute path; "" when the system cannot tell it (it was removed).
std::string workingFolder();
