#pragma once

#include "level/EditHistory.h"
#include "level/MapCanvas.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// A map being painted: its canvas, its history, and the tools, each of which makes one step of
// the history. What a tool reaches outside the map is left out; a cell given the colour it
// already has changes nothing and records nothing. Each tool returns how many cells changed.
class MapEditor {
  public:
    struct Cell {
        int column = 0, row = 0;
    };
    // The colour a cell should be, read from the map as it was before the snap, or none.
    using Decision =
        std::function<std::optional<uint32_t>(const MapCanvas& before, int column, int row)>;

    explicit MapEditor(MapCanvas canvas, size_t budget = EditHistory::defaultBudget)
        : canvas_(std::move(canvas)), history_(budget) {}

    const MapCanvas& canvas() const { return canvas_; }
    EditHistory& history() { return history_; }
    const EditHistory& history() const { return history_; }

    // The top-left cell of the square a brush of `size` cells paints at `cell`: the cell is
    // the square's centre, or for an even size the cell at the top left of its centre (2: the
    // square's top-left cell; 4: one cell in from it). A size below 1 is 1.
    static Cell brushCorner(Cell cell, int size);

    // A stroke, one step from press to release: the brush at the press's cell, then along the
    // straight line to each next cell with no gap however far apart. extendStroke() without a
    // stroke begun paints nothing; another tool, undo or redo ends the stroke.
    size_t beginStroke(Cell cell, uint32_t colour, int size);
    size_t extendStroke(Cell cell);
    void endStroke();
    // The brush along the straight line from the last cell a stroke or line painted at to
    // `cell`; at `cell` alone when there is none.
    size_t line(Cell cell, uint32_t colour, int size);
    // Every cell of the rectangle whose opposite corners are `a` and `b`, in any order.
    size_t rectangle(Cell a, Cell b, uint32_t colour);
    // The cells 4-connected to `cell` through its exact colour; nothing outside the map.
    size_t fill(Cell cell, uint32_t colour);
    // Each cell as `decide` says, every decision made on the map as it was before the step.
    size_t snap(const Decision& decide);
    // Every cell to its pixel in `pixels` (as many as the canvas has cells, else nothing
    // changes): a map taken whole from elsewhere, one step.
    size_t replace(const std::vector<uint32_t>& pixels);

    // Undoes the latest step or redoes the first undone; false when there is none.
    bool undo();
    bool redo();

    // Where the last stroke or line ended, the start of the next line; none before any.
    std::optional<Cell> lastPainted() const { return lastPainted_; }

  private:
    size_t brush(Cell cell, uint32_t colour, int size);
    size_t brushLine(Cell from, Cell to, uint32_t colour, int size);
    size_t paintRow(int row, int first, int last, uint32_t colour);

    MapCanvas canvas_;
    EditHistory history_;
    bool stroking_ = false;
    uint32_t strokeColour_ = 0;
    int strokeSize_ = 1;
    std::optional<Cell> lastPainted_;
};
