#include "tools/Random.h"

uint32_t Random::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
}

int Random::below(int n) {
    if (n <= 0)
        return 0;
    return int(uint64_t(next()) * uint64_t(n) >> 32);
}

bool Random::chance(double p) {
    return next() < p * 4294967296.0;
}
