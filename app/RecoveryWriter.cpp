#include "app/RecoveryWriter.h"

#include "platform/StateFolder.h"

#include <SDL_thread.h>
#include <algorithm>

void RecoveryWriter::submit(Copy copy) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto same = std::find_if(waiting_.begin(), waiting_.end(),
                                       [&](const Copy& queued) { return queued.map == copy.map; });
        if (same != waiting_.end())
            *same = std::move(copy);
        else
            waiting_.push_back(std::move(copy));
        stopping_ = false;
    }
    if (!thread_)
        thread_ = SDL_CreateThread(run, this);
    if (!thread_) {
        std::vector<Copy> here;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            here.assign(std::make_move_iterator(waiting_.begin()),
                        std::make_move_iterator(waiting_.end()));
            waiting_.clear();
        }
        for (const Copy& each : here) {
            const std::string problem = write(each);
            if (!problem.empty()) {
                std::lock_guard<std::mutex> lock(mutex_);
                failures_.push_back({each.map, problem});
            }
        }
        return;
    }
    changed_.notify_all();
}

void RecoveryWriter::settle(const std::string& map) {
    std::unique_lock<std::mutex> lock(mutex_);
    waiting_.erase(std::remove_if(waiting_.begin(), waiting_.end(),
                                  [&](const Copy& queued) { return queued.map == map; }),
                   waiting_.end());
    changed_.wait(lock, [&] { return !busyNow_ || busy_ != map; });
}

void RecoveryWriter::finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return waiting_.empty() && !busyNow_; });
}

void RecoveryWriter::stop() {
    if (!thread_)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_.clear();
        stopping_ = true;
    }
    changed_.notify_all();
    SDL_WaitThread(thread_, nullptr);
    thread_ = nullptr;
}

std::vector<RecoveryWriter::Failure> RecoveryWriter::takeFailures() {
    std::vector<Failure> taken;
    std::lock_guard<std::mutex> lock(mutex_);
    taken.swap(failures_);
    return taken;
}

int RecoveryWriter::run(void* self) {
    static_cast<RecoveryWriter*>(self)->work();
    return 0;
}

void RecoveryWriter::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
        if (stopping_)
            return;
        const Copy copy = std::move(waiting_.front());
        waiting_.pop_front();
        busy_ = copy.map;
        busyNow_ = true;
        lock.unlock();
        const std::string problem = write(copy);
        lock.lock();
        busyNow_ = false;
        busy_.clear();
        if (!problem.empty())
            failures_.push_back({copy.map, problem});
        changed_.notify_all();
    }
}

std::string RecoveryWriter::write(const Copy& copy) const {
    if (copy.remove)
        return removeFile(recovery_.fileOf(copy.map));
    return recovery_.write(copy.map, copy.width, copy.height, copy.pixels);
}
