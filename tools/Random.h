#pragma once

#include <cstdint>

// A small seeded generator (splitmix64) so that every run of the tools writes the same bytes,
// whatever the standard library's engines and distributions do on another platform.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint32_t next();
    // Uniform in 0..n-1; 0 when n <= 0.
    int below(int n);
    // Uniform in lo..hi inclusive.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // True with the given probability (0..1).
    bool chance(double p);

  private:
    uint64_t state_;
};
