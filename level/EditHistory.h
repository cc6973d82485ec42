#pragma once

#include "level/EditStep.h"

#include <cstddef>
#include <cstdint>
#include <deque>

// The undo and redo of one map: its steps in order, those undone after the others. A step is
// recorded between begin() and end(), over as many calls as it takes (a stroke grows with the
// mouse); a step that changed nothing is no step. The steps hold at most a budget of bytes:
// the oldest go first, the latest stays whatever its size. The history knows whether the map
// differs from its last save point.
class EditHistory {
  public:
    static constexpr size_t defaultBudget = size_t(256) << 20;

    explicit EditHistory(size_t budget = defaultBudget) : budget_(budget) {}

    // Opens a step, ending the one open. Never fails.
    void begin() { end(); }
    // Records cells of the open step (see EditStep::add), changed on the map by the caller;
    // the step's first change drops the undone steps. Never fails.
    void record(size_t start, size_t count, uint32_t before, uint32_t after);
    // Drops the oldest steps while the steps hold more than the budget. Never fails.
    void fit();
    // Sets the budget the next fit() keeps to (the maps of a view share one). Never fails.
    void setBudget(size_t budget) { budget_ = budget; }
    // Ends the open step, if any, and fits the budget. Never fails.
    void end();

    // Undoes the latest step still done on `canvas` (ending the one open), or redoes the first
    // undone one; false when there is none.
    bool undo(MapCanvas& canvas);
    bool redo(MapCanvas& canvas);
    bool canUndo() const { return done_ > 0; }
    // The latest step done, null when there is none: a step may be recorded before the map
    // shows it, and then redone once.
    const EditStep* latest() const { return done_ > 0 ? &steps_[done_ - 1].step : nullptr; }
    bool canRedo() const { return done_ < steps_.size(); }

    // Whether the map differs from its last save point: undoing back to it makes it clean, and
    // a save point dropped (with the oldest steps or the undone ones) leaves it dirty until the
    // next save.
    bool dirty() const { return state() != saved_; }
    // The map as it is now was saved (ending the open step). Never fails.
    void markSaved();

    // True once after steps were dropped for the budget, then false until more are. Never fails.
    bool takeDropped();

    // The bytes the steps hold, and how many there are, undone ones included.
    size_t bytes() const;
    size_t steps() const { return steps_.size(); }

  private:
    struct Entry {
        EditStep step;
        uint64_t serial; // names the map's state once the step is done
    };
    static size_t bytesOf(const Entry& entry) { return entry.step.bytes() + sizeof entry.serial; }
    uint64_t state() const { return done_ > 0 ? steps_[done_ - 1].serial : base_; }

    size_t budget_;
    std::deque<Entry> steps_;
    size_t done_ = 0;         // the steps done, from the front; the rest are undone
    size_t closedBytes_ = 0;  // the bytes of the steps but one being recorded
    uint64_t base_ = 0;       // the state before the oldest step kept
    uint64_t nextSerial_ = 1; // states are never named twice
    uint64_t saved_ = 0;
    bool recording_ = false; // the open step changed something: it is the last of steps_
    bool dropped_ = false;
};
