#include "level/EditHistory.h"

void EditHistory::record(size_t start, size_t count, uint32_t before, uint32_t after) {
    if (count == 0)
        return;
    if (!recording_) {
        // A new step after undos: the undone ones, and a save point among them, are gone.
        while (steps_.size() > done_) {
            closedBytes_ -= bytesOf(steps_.back());
            steps_.pop_back();
        }
        steps_.push_back({EditStep(), nextSerial_++});
        done_ = steps_.size();
        recording_ = true;
    }
    steps_.back().step.add(start, count, before, after);
}

void EditHistory::fit() {
    while (steps_.size() > 1 && done_ > 0 && bytes() > budget_) {
        closedBytes_ -= bytesOf(steps_.front());
        base_ = steps_.front().serial;
        steps_.pop_front();
        --done_;
        dropped_ = true;
    }
}

void EditHistory::end() {
    if (recording_) {
        steps_.back().step.finish();
        closedBytes_ += bytesOf(steps_.back());
        recording_ = false;
    }
    fit();
}

bool EditHistory::undo(MapCanvas& canvas) {
    end();
    if (done_ == 0)
        return false;
    steps_[--done_].step.undo(canvas);
    return true;
}

bool EditHistory::redo(MapCanvas& canvas) {
    end();
    if (done_ == steps_.size())
        return false;
    steps_[done_++].step.redo(canvas);
    return true;
}

void EditHistory::markSaved() {
    end();
    saved_ = state();
}

bool EditHistory::takeDropped() {
    const bool dropped = dropped_;
    dropped_ = false;
    return dropped;
}

size_t EditHistory::bytes() const {
    return closedBytes_ + (recording_ ? bytesOf(steps_.back()) : 0);
}
