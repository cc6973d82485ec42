#include "platform/DecodePool.h"

#include "platform/LibraryOutput.h"

#include <SDL_thread.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

namespace {

void keepLibraryLines(LibraryOutput& output, const std::string& path,
                      DecodePool::Decoded& decoded) {
    DiagnosticList lines;
    output.report(path, lines);
    decoded.library = std::move(lines.items);
}

} // namespace

DecodePool::DecodePool(Decode decode, Release release, unsigned threads, size_t budgetBytes)
    : decode_(std::move(decode)), release_(std::move(release)), budget_(budgetBytes) {
    for (unsigned i = 0; i < threads; ++i) {
        SDL_Thread* worker = SDL_CreateThread(runWorker, this);
        if (!worker)
            break; // the threads started so far do the work
        workers_.push_back(worker);
    }
    // Each worker moves its standard error before it decodes anything; waiting for that
    // orders it before everything this thread does next.
    std::unique_lock<std::mutex> lock(mutex_);
    resultReady_.wait(lock, [this] { return ready_ == workers_.size(); });
}

DecodePool::~DecodePool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    jobReady_.notify_all();
    for (SDL_Thread* worker : workers_)
        SDL_WaitThread(worker, nullptr);
    for (auto& [path, pending] : pending_) {
        for (Decoded& decoded : pending.done) {
            if (decoded.value)
                release_(decoded.value);
        }
    }
}

void DecodePool::request(const std::string& path) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back({path, false});
        ++pending_[path].queued;
    }
    jobReady_.notify_one();
}

void DecodePool::requestNext(const std::vector<std::string>& paths) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
            queue_.push_front({*path, false});
            ++pending_[*path].queued;
        }
    }
    jobReady_.notify_all();
}

// With the lock held: the file's job at the front, marked urgent, or a new one there.
void DecodePool::queueUrgent(const std::string& path) {
    const auto queued = std::find_if(queue_.begin(), queue_.end(),
                                     [&path](const Job& job) { return job.path == path; });
    if (queued != queue_.end())
        queue_.erase(queued);
    else
        ++pending_[path].queued;
    queue_.push_front({path, true});
}

DecodePool::Decoded DecodePool::take(const std::string& path) {
    if (workers_.empty()) {
        std::unique_lock<std::mutex> lock(mutex_);
        const auto found = pending_.find(path);
        if (found != pending_.end() && --found->second.queued <= 0)
            pending_.erase(found);
        lock.unlock();
        // No other thread decodes: the process's standard error is this one's meanwhile.
        LibraryOutput output(LibraryOutput::Scope::Process);
        Decoded decoded = decode_(path);
        keepLibraryLines(output, path, decoded);
        return decoded;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    Pending& pending = pending_[path];
    if (pending.done.empty() && pending.running == 0) {
        queueUrgent(path);
        jobReady_.notify_all();
    }
    resultReady_.wait(lock, [&pending] { return !pending.done.empty(); });
    Decoded decoded = std::move(pending.done.front());
    pending.done.pop_front();
    heldBytes_ -= decoded.bytes;
    if (pending.done.empty() && pending.queued == 0 && pending.running == 0)
        pending_.erase(path);
    lock.unlock();
    jobReady_.notify_all(); // the budget may have room again
    return decoded;
}

int DecodePool::runWorker(void* pool) {
    static_cast<DecodePool*>(pool)->work();
    return 0;
}

void DecodePool::work() {
    LibraryOutput output(LibraryOutput::Scope::Thread);
    std::unique_lock<std::mutex> lock(mutex_);
    ++ready_;
    resultReady_.notify_all();
    for (;;) {
        jobReady_.wait(lock, [this] {
            return stopping_ ||
                   (!queue_.empty() && (queue_.front().urgent || heldBytes_ < budget_));
        });
        if (stopping_)
            return;
        const std::string path = std::move(queue_.front().path);
        queue_.pop_front();
        Pending& pending = pending_[path];
        --pending.queued;
        ++pending.running;
        lock.unlock();

        Decoded decoded = decode_(path);
        keepLibraryLines(output, path, decoded);

        lock.lock();
        // Still there: an entry is dropped only when nothing of it runs.
        --pending.running;
        heldBytes_ += decoded.bytes;
        pending.done.push_back(std::move(decoded));
        resultReady_.notify_all();
    }
}

unsigned DecodePool::threadCount(unsigned callerCores) {
    const unsigned cores = std::thread::hardware_concurrency();
    const unsigned processors = cores > callerCores ? cores - callerCores : 1;
    const char* given = std::getenv("LEVELCOLORS_THREADS");
    if (!given || !*given)
        return processors;
    char* end = nullptr;
    const long count = std::strtol(given, &end, 10);
    if (*end == '\0' && count >= 1 && count <= 256)
        return unsigned(count);
    std::fprintf(stderr, "LEVELCOLORS_THREADS=%s is not a thread count from 1 to 256; using %u\n",
                 given, processors);
    std::fflush(stderr);
    return processors;
}
