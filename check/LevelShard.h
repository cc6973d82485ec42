#pragma once

#include <string>

// The share K of N that one of N parallel CI jobs checks. A level belongs to the share its
// path's hash (FNV-1a of its bytes) gives modulo N, so that it stays in its share whatever
// other levels come and go, and the N shares together hold every level once.
struct LevelShard {
    unsigned index = 1; // K, from 1 to count
    unsigned count = 1; // N

    // Reads "K/N" with 1 <= K <= N <= 65536; false, the shard unchanged, when it is not that.
    bool parse(const std::string& text);
    // Whether the level named `path` (as the report names it) is in this share. Never fails.
    bool keeps(const std::string& path) const;
};
