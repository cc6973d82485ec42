#include "platform/ParallelFor.h"

#include <SDL_thread.h>
#include <atomic>
#include <vector>

namespace {

struct Work {
    const std::function<void(size_t)>& job;
    size_t count;
    std::atomic<size_t> next{0};

    void run() {
        for (size_t index = next++; index < count; index = next++)
            job(index);
    }
};

int runWork(void* work) {
    static_cast<Work*>(work)->run();
    return 0;
}

} // namespace

void parallelFor(size_t count, unsigned threads, const std::function<void(size_t)>& job) {
    Work work{job, count};
    // SDL's own threads: SDL frees its per-thread record (the error string a decoder sets)
    // only for the threads it started itself.
    std::vector<SDL_Thread*> workers;
    for (size_t i = 0; threads > 1 && i < threads && i < count; ++i) {
        SDL_Thread* worker = SDL_CreateThread(runWork, &work);
        if (!worker)
            break; // the threads started so far do the work
        workers.push_back(worker);
    }
    if (workers.empty())
        work.run();
    for (SDL_Thread* worker : workers)
        SDL_WaitThread(worker, nullptr);
}
