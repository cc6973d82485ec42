#pragma once

#include <string>

// What a path names, links followed.
struct PathStatus {
    bool exists = false;
    bool folder = false;
    bool regular = false; // a regular file
    int error = 0;        // the errno value when it does not exist or cannot be told
};

// Never fails: a path that cannot be looked at gives exists false and its error.
PathStatus pathStatus(const std::string& path);

// The target a symbolic link names, as the link spells it; "" when `path` is no link (or
// cannot be read, and on systems without such links).
std::string linkTarget(const std::string& path);

// pathStatus and linkTarget together: `link` receives the target, "" for no link. A path that
// is no link is looked at once, so a folder of many files is listed with half the calls.
// Never fails, as pathStatus.
PathStatus pathStatusAndLink(const std::string& path, std::string& link);
