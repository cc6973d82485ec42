#pragma once

#include <cstddef>
#include <functional>

// Runs job(0) ... job(count - 1), each once, on `threads` SDL threads (at most `count`), each
// taking the next index when it is done with one, and returns when every job has returned.
// With one thread, or when the system starts none, the calling thread runs them in order.
// The jobs must be safe to run at once. Never fails.
void parallelFor(size_t count, unsigned threads, const std::function<void(size_t)>& job);
