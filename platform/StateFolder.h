#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The folder where the viewer keeps its own state between runs (unsaved edits kept for a
// later run), and the few file operations it needs there. Paths use '/' between their parts.

// "<state>/levelcolors/recovery": <state> is $XDG_STATE_HOME when it is an absolute path, else
// $HOME/.local/state; on Windows %LOCALAPPDATA%. "" when the environment names none.
std::string recoveryFolder();

// Makes `folder` and its missing parents (only the owner may enter the ones made). Returns ""
// or the system's reason for the first that could not be made.
std::string makeFolders(const std::string& folder);

// Removes a file. Returns "" or the system's reason; a file already gone is no failure.
std::string removeFile(const std::string& path);

// When the file was last modified, in seconds since 1970; none when it cannot be looked at.
std::optional<int64_t> modifiedTime(const std::string& path);
