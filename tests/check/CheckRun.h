#pragma once

#include <string>
#include <vector>

// One run of the built levelcolors-check, with no display in its environment.
struct CheckRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs build/levelcolors-check with `arguments` in folder `cwd`.
CheckRun runCheck(const std::vector<std::string>& arguments, const std::string& cwd);
