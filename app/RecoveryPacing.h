#pragma once

#include <cstdint>

// When a map's unsaved edits are copied to the recovery folder while they change: the first
// change may be copied at once, then at most one copy per `period` milliseconds, and changes
// made since the last copy are copied once its period is up, so that a crash loses at most a
// period of edits. Times are tick counts compared in unsigned 32-bit arithmetic, so the
// counter wrapping past 2^32 changes nothing.
class RecoveryPacing {
  public:
    static constexpr uint32_t defaultPeriod = 30000;

    explicit RecoveryPacing(uint32_t period = defaultPeriod) : period_(period) {}

    // A change, not copied yet.
    void changed() { pending_ = true; }
    // Whether a copy is due at `now`: a change waits and the period since the last copy is up.
    bool due(uint32_t now) const {
        return pending_ && (!copied_ || uint32_t(now - lastCopy_) >= period_);
    }
    // A copy taken at `now` of every change so far.
    void copied(uint32_t now) {
        pending_ = false;
        copied_ = true;
        lastCopy_ = now;
    }
    // The changes need no copy (saved, or undone back to the file): nothing is due.
    void cancel() { pending_ = false; }
    bool pending() const { return pending_; }

  private:
    uint32_t period_;
    uint32_t lastCopy_ = 0;
    bool copied_ = false;
    bool pending_ = false;
};
