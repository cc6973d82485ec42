#pragma once

#include <string>

// A standard error of the calling thread's own, for libraries that print on standard error
// while a worker thread runs them: what they print is kept for the thread that owns the work
// to write out later, in its own order. Made on the thread whose output it catches; where the
// platform cannot give one thread its own descriptors (or refuses to), nothing is caught and
// the text goes straight to the shared standard error.
class ThreadStderr {
  public:
    ThreadStderr();
    ~ThreadStderr();
    ThreadStderr(const ThreadStderr&) = delete;
    ThreadStderr& operator=(const ThreadStderr&) = delete;

    // What this thread wrote on standard error since the last call; empty when nothing is
    // caught.
    std::string take();

    // Whether this system can give a thread a standard error of its own at all.
    static bool possible();

  private:
    int file_ = -1;
};
