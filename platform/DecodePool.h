#pragma once

#include "diagnostics/Diagnostic.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

struct SDL_Thread;

// Decodes files on worker threads ahead of one consumer that takes the results in its own
// order. The consumer requests files in the order it expects to need them; workers decode
// them in that order while the results not yet taken stay under a byte budget. What a library
// writes on standard error while a file is decoded is kept with its result, where it can be
// caught (see LibraryOutput). Only the consumer's thread calls the member functions.
class DecodePool {
  public:
    // What decoding one file gave. `value` is the decoder's own (null when the file could not
    // be decoded, `reason` then says why); `bytes` counts against the budget.
    struct Decoded {
        void* value = nullptr;
        size_t bytes = 0;
        std::string reason;
        std::string refusal;             // set instead of `reason` when the file was refused unread
        std::vector<Diagnostic> library; // what a library wrote on standard error meanwhile
    };
    // Called on the workers, several at once: must be safe to run concurrently.
    using Decode = std::function<Decoded(const std::string& path)>;
    // Frees a value that was decoded but never taken.
    using Release = std::function<void(void*)>;

    // Starts `threads` workers (fewer when the system refuses some; with none, take() decodes
    // on the calling thread, catching the process's standard error meanwhile) and returns once
    // each has set up its standard error.
    DecodePool(Decode decode, Release release, unsigned threads, size_t budgetBytes);
    // Stops the workers after the decodes in hand and releases every result not taken.
    ~DecodePool();
    DecodePool(const DecodePool&) = delete;
    DecodePool& operator=(const DecodePool&) = delete;

    // Queues a file behind the others; every request is decoded once and taken once.
    void request(const std::string& path);
    // Queues files ahead of all others, in the order given: they are needed next.
    void requestNext(const std::vector<std::string>& paths);
    // The result of a requested file, waiting for it if needed (a file still queued goes to
    // the front); a file not requested is decoded now, ahead of the rest. The caller owns the
    // value.
    Decoded take(const std::string& path);

    // The workers to start: LEVELCOLORS_THREADS when it is a number from 1 to 256, else the
    // processor count less the cores the calling thread keeps busy itself (`callerCores`), at
    // least one. Any other LEVELCOLORS_THREADS is named on standard error.
    static unsigned threadCount(unsigned callerCores = 0);
    unsigned workers() const { return unsigned(workers_.size()); }

  private:
    struct Job {
        std::string path;
        bool urgent = false; // the consumer waits for it: the budget does not hold it back
    };
    struct Pending {
        int queued = 0;
        int running = 0;
        std::deque<Decoded> done;
    };

    void work();
    static int runWorker(void* pool);
    void queueUrgent(const std::string& path);

    Decode decode_;
    Release release_;
    size_t budget_;
    std::mutex mutex_;
    std::condition_variable jobReady_;
    std::condition_variable resultReady_;
    std::deque<Job> queue_;
    std::unordered_map<std::string, Pending> pending_;
    size_t heldBytes_ = 0; // of results done and not taken
    size_t ready_ = 0;     // workers with their standard error set up
    bool stopping_ = false;
    // SDL's own threads: SDL frees its per-thread record (the error string the decoder sets)
    // only for the threads it started itself.
    std::vector<SDL_Thread*> workers_;
};
