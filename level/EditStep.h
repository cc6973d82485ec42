#pragma once

#include "level/MapCanvas.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The cells one edit changed, each with its colour before and after, kept compactly: the
// cells as runs of neighbouring indices (each run's distance from the last and its length as
// variable-length numbers) and the colours as runs of one colour. A filled region costs a few
// bytes a row, a stroke a few bytes a cell.
//
// Each cell is recorded at most once a step (every tool paints one colour, and a snap decides
// each cell once from the map as it was), so that undoing and redoing need no order.
class EditStep {
  public:
    // Records that `count` cells from `start` went from `before` to `after`. Never fails.
    void add(size_t start, size_t count, uint32_t before, uint32_t after);
    // Writes out the runs still open and gives back spare room; add() may follow. Never fails.
    void finish();

    // Sets the recorded cells of `canvas` to their colours before or after the step. The step
    // must be finished and the canvas the one it was recorded on.
    void undo(MapCanvas& canvas) const { apply(canvas, before_); }
    void redo(MapCanvas& canvas) const { apply(canvas, after_); }

    // How many cells the step changed.
    size_t cells() const { return cells_; }
    // The bytes the step holds, its object included.
    size_t bytes() const;

  private:
    struct ColourRun {
        uint32_t colour = 0;
        size_t count = 0;
    };
    void addColours(std::vector<uint8_t>& stream, ColourRun& run, uint32_t colour, size_t count);
    void apply(MapCanvas& canvas, const std::vector<uint8_t>& colours) const;

    std::vector<uint8_t> positions_; // per run: zig-zag distance from the last run's end, length
    std::vector<uint8_t> before_, after_;              // per run: four bytes of colour, length
    size_t runStart_ = 0, runCount_ = 0, lastEnd_ = 0; // the cell run still open
    ColourRun beforeRun_, afterRun_;                   // the colour runs still open
    size_t cells_ = 0;
};
