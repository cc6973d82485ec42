#pragma once

#include "level/MapRecovery.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

struct SDL_Thread;

// Writes maps' recovery copies (level/MapRecovery) on a thread of its own, so that a copy
// never stalls a frame: one write at a time, and a newer copy of a map replaces the one still
// waiting. The thread starts with the first copy. Only one thread calls the member functions.
class RecoveryWriter {
  public:
    // A map's pixels as they were when the copy was asked for, or the removal of this run's
    // file (a map back to its saved state has nothing to recover).
    struct Copy {
        std::string map; // MapRecovery::mapName
        int width = 0, height = 0;
        std::vector<uint32_t> pixels;
        bool remove = false;
    };
    // A copy that failed: the map and the problem in one line.
    struct Failure {
        std::string map;
        std::string problem;
    };

    explicit RecoveryWriter(const MapRecovery& recovery) : recovery_(recovery) {}
    ~RecoveryWriter() { stop(); }
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Queues a copy, replacing the one of the same map still waiting. Never fails: a thread
    // that cannot be started writes the copy here and now.
    void submit(Copy copy);
    // Drops the copy of `map` still waiting and waits for the one being written, so that the
    // caller may touch the map's files. Never fails.
    void settle(const std::string& map);
    // Waits until every copy queued is written. Never fails.
    void finish();
    // Drops the copies waiting, waits for the one being written and ends the thread. Never
    // fails; submit() starts it again.
    void stop();
    // The failures since the last call, in order.
    std::vector<Failure> takeFailures();

  private:
    static int run(void* self);
    void work();
    // Writes one copy (on whichever thread); "" or the problem.
    std::string write(const Copy& copy) const;

    const MapRecovery& recovery_;
    SDL_Thread* thread_ = nullptr;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Copy> waiting_;
    std::string busy_; // the map whose copy is being written, "" for none
    bool busyNow_ = false;
    bool stopping_ = false;
    std::vector<Failure> failures_;
};
