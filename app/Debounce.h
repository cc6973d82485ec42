#pragma once

#include <cstdint>

// Turns a burst of changes into one action once the changes settle: due once `quiet`
// milliseconds have passed since the last change. Times are tick counts compared in unsigned
// 32-bit arithmetic, so the counter wrapping past 2^32 changes nothing.
class Debounce {
  public:
    explicit Debounce(uint32_t quiet) : quiet_(quiet) {}

    // A change at tick `now`: restarts the quiet period.
    void changed(uint32_t now);
    // Whether the quiet period after the last change has passed; true once per burst, after
    // which the debounce waits for the next change.
    bool due(uint32_t now);
    // Forgets a pending burst (its action has been taken another way).
    void cancel() { pending_ = false; }
    // Whether a burst is settling: due() will be true once it has.
    bool pending() const { return pending_; }

  private:
    uint32_t quiet_;
    uint32_t lastChange_ = 0;
    bool pending_ = false;
};
