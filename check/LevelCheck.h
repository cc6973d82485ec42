#pragma once

#include "check/LevelReport.h"

#include <string>

// Why a level folder cannot be checked at all ("no such folder", "it is not a folder", ...);
// empty when it can be listed. `level` "" is the working folder.
std::string levelFolderProblem(const std::string& level);

// Reads the level as the viewer's scan does (same files, order, swatch paths and colour
// values) and finds the problems of its colours, of its special files and of its textures
// as the viewer builds them. `near` is the largest channel difference
// that counts as near; 0 turns that check off. Never fails: unreadable parts are problems.
// Its images are decoded on every core (DecodePool::threadCount), or on the calling thread
// where a thread cannot catch its own library output.
LevelReport checkLevel(const std::string& level, int near);
// The same with `decodeThreads` decoding workers; with 0, the calling thread decodes and must
// be the only thread that decodes meanwhile (a library's output is caught process-wide).
LevelReport checkLevel(const std::string& level, int near, unsigned decodeThreads);
