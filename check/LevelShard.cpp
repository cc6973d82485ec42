#include "check/LevelShard.h"

#include <cstdint>

namespace {

constexpr unsigned largestCount = 65536;

bool parseCount(const std::string& text, unsigned& value) {
    if (text.empty() || text.size() > 5)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + unsigned(c - '0');
    }
    return true;
}

} // namespace

bool LevelShard::parse(const std::string& text) {
    const size_t slash = text.find('/');
    unsigned k = 0, n = 0;
    if (slash == std::string::npos || !parseCount(text.substr(0, slash), k) ||
        !parseCount(text.substr(slash + 1), n) || k < 1 || k > n || n > largestCount)
        return false;
    index = k;
    count = n;
    return true;
}

bool LevelShard::keeps(const std::string& path) const {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : path) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash % count == index - 1;
}
