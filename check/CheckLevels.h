#pragma once

#include "check/LevelCheck.h"
#include "check/LevelReport.h"

#include <string>
#include <vector>

// Checks each of `levels` (see checkLevel) and returns their reports in the order given. One
// level is checked on the calling thread, its images decoded on every core. Several are
// checked on every core, as many at once as DecodePool::threadCount gives (one at a time
// where a thread cannot catch its own library output), each decoding on one worker of its
// own. A level folder that cannot be read (levelFolderProblem) gives a report of its name and
// `unreadable` alone. Never fails.
std::vector<LevelReport> checkLevels(const std::vector<std::string>& levels,
                                     const LevelCheckSettings& settings);
