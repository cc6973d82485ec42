#include "level/MapEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Cuts the segment from (x0, y0) to (x1, y1) to its part inside the rectangle (Liang and
// Barsky's way); false when no part is inside.
bool clip(double& x0, double& y0, double& x1, double& y1, double left, double top, double right,
          double bottom) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
    double enter = 0, leave = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    x1 = x0 + leave * dx;
    y1 = y0 + leave * dy;
    x0 += enter * dx;
    y0 += enter * dy;
    return true;
}

} // namespace

MapEditor::Cell MapEditor::brushCorner(Cell cell, int size) {
    const int before = (std::max(size, 1) - 1) / 2;
    return {cell.column - before, cell.row - before};
}

size_t MapEditor::beginStroke(Cell cell, uint32_t colour, int size) {
    endStroke();
    stroking_ = true;
    strokeColour_ = colour;
    strokeSize_ = size;
    lastPainted_ = cell;
    history_.begin();
    const size_t changed = brush(cell, colour, size);
    history_.fit();
    return changed;
}

size_t MapEditor::extendStroke(Cell cell) {
    if (!stroking_)
        return 0;
    const size_t changed = brushLine(*lastPainted_, cell, strokeColour_, strokeSize_);
    lastPainted_ = cell;
    history_.fit();
    return changed;
}

void MapEditor::endStroke() {
    if (!stroking_)
        return;
    stroking_ = false;
    history_.end();
}

size_t MapEditor::line(Cell cell, uint32_t colour, int size) {
    endStroke();
    history_.begin();
    const size_t changed = brushLine(lastPainted_.value_or(cell), cell, colour, size);
    lastPainted_ = cell;
    history_.end();
    return changed;
}

size_t MapEditor::rectangle(Cell a, Cell b, uint32_t colour) {
    endStroke();
    history_.begin();
    size_t changed = 0;
    const int first = std::min(a.column, b.column), last = std::max(a.column, b.column);
    const int top = std::max(std::min(a.row, b.row), 0);
    const int bottom = std::min(std::max(a.row, b.row), canvas_.height() - 1);
    for (int row = top; row <= bottom; ++row)
        changed += paintRow(row, first, last, colour);
    history_.end();
    return changed;
}

size_t MapEditor::fill(Cell cell, uint32_t colour) {
    endStroke();
    if (!canvas_.contains(cell.column, cell.row))
        return 0;
    const uint32_t target = canvas_.at(cell.column, cell.row);
    if (target == colour)
        return 0;
    history_.begin();
    const uint32_t* pixels = canvas_.pixels().data();
    const int width = canvas_.width(), height = canvas_.height();
    size_t changed = 0;
    // Scanlines: each seed grows into the whole run of its row, which is painted at once (so
    // it no longer matches), and seeds the runs of the target colour touching it above and below.
    std::vector<Cell> seeds = {cell};
    while (!seeds.empty()) {
        const Cell seed = seeds.back();
        seeds.pop_back();
        const uint32_t* row = pixels + canvas_.index(0, seed.row);
        if (row[seed.column] != target)
            continue;
        int left = seed.column, right = seed.column;
        while (left > 0 && row[left - 1] == target)
            --left;
        while (right + 1 < width && row[right + 1] == target)
            ++right;
        const size_t start = canvas_.index(left, seed.row), count = size_t(right - left + 1);
        history_.record(start, count, target, colour);
        canvas_.fill(start, count, colour);
        changed += count;
        for (const int next : {seed.row - 1, seed.row + 1}) {
            if (next < 0 || next >= height)
                continue;
            const uint32_t* nextRow = pixels + canvas_.index(0, next);
            for (int column = left; column <= right; ++column) {
                if (nextRow[column] != target)
                    continue;
                seeds.push_back({column, next});
                while (column <= right && nextRow[column] == target)
                    ++column;
            }
        }
    }
    history_.end();
    return changed;
}

size_t MapEditor::snap(const Decision& decide) {
    endStroke();
    // Every decision is recorded first and the step applied after: an earlier snap never
    // sways a later decision, and the changes take no more room than their step.
    history_.begin();
    size_t changed = 0;
    for (int row = 0; row < canvas_.height(); ++row)
        for (int column = 0; column < canvas_.width(); ++column) {
            const std::optional<uint32_t> colour = decide(canvas_, column, row);
            const uint32_t before = canvas_.at(column, row);
            if (colour && *colour != before) {
                history_.record(canvas_.index(column, row), 1, before, *colour);
                ++changed;
            }
        }
    history_.end();
    if (changed > 0)
        history_.latest()->redo(canvas_);
    return changed;
}

size_t MapEditor::replace(const std::vector<uint32_t>& pixels) {
    endStroke();
    const std::vector<uint32_t>& now = canvas_.pixels();
    if (pixels.size() != now.size())
        return 0;
    history_.begin();
    size_t changed = 0;
    // Runs of cells that change from one colour to one other are recorded as one.
    for (size_t at = 0; at < now.size();) {
        if (pixels[at] == now[at]) {
            ++at;
            continue;
        }
        size_t end = at + 1;
        while (end < now.size() && now[end] == now[at] && pixels[end] == pixels[at])
            ++end;
        history_.record(at, end - at, now[at], pixels[at]);
        changed += end - at;
        at = end;
    }
    history_.end();
    if (changed > 0)
        history_.latest()->redo(canvas_);
    return changed;
}

bool MapEditor::undo() {
    endStroke();
    return history_.undo(canvas_);
}

bool MapEditor::redo() {
    endStroke();
    return history_.redo(canvas_);
}

size_t MapEditor::brush(Cell cell, uint32_t colour, int size) {
    size = std::max(size, 1);
    if (cell.column < -size || cell.row < -size || cell.column > canvas_.width() + size ||
        cell.row > canvas_.height() + size)
        return 0; // nowhere near the map, and no sum below may overflow
    const Cell corner = brushCorner(cell, size);
    size_t changed = 0;
    for (int row = corner.row; row < corner.row + size; ++row)
        changed += paintRow(row, corner.column, corner.column + size - 1, colour);
    return changed;
}

size_t MapEditor::brushLine(Cell from, Cell to, uint32_t colour, int size) {
    size = std::max(size, 1);
    if (!canvas_.contains(from.column, from.row) || !canvas_.contains(to.column, to.row)) {
        // A cell far off the map (a drag out of the window at a small zoom) costs no more than
        // the map's size: only the part of the line whose brush can reach the map is walked.
        double x0 = from.column, y0 = from.row, x1 = to.column, y1 = to.row;
        const double margin = size + 1;
        if (!clip(x0, y0, x1, y1, -margin, -margin, canvas_.width() + margin,
                  canvas_.height() + margin))
            return 0;
        from = {int(std::lround(x0)), int(std::lround(y0))};
        to = {int(std::lround(x1)), int(std::lround(y1))};
    }
    // Bresenham's line: one brush at each cell, each a step (straight or diagonal) from the last.
    const int dx = std::abs(to.column - from.column), dy = -std::abs(to.row - from.row);
    const int stepX = from.column < to.column ? 1 : -1, stepY = from.row < to.row ? 1 : -1;
    int error = dx + dy;
    size_t changed = 0;
    for (Cell at = from;;) {
        changed += brush(at, colour, size);
        if (at.column == to.column && at.row == to.row)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.column += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.row += stepY;
        }
    }
    return changed;
}

size_t MapEditor::paintRow(int row, int first, int last, uint32_t colour) {
    if (row < 0 || row >= canvas_.height())
        return 0;
    first = std::max(first, 0);
    last = std::min(last, canvas_.width() - 1);
    const uint32_t* pixels = canvas_.pixels().data() + canvas_.index(0, row);
    size_t changed = 0;
    for (int column = first; column <= last;) {
        const uint32_t before = pixels[column];
        if (before == colour) {
            ++column;
            continue;
        }
        // A run of one old colour is one record.
        int end = column + 1;
        while (end <= last && pixels[end] == before)
            ++end;
        const size_t start = canvas_.index(column, row), count = size_t(end - column);
        history_.record(start, count, before, colour);
        canvas_.fill(start, count, colour);
        changed += count;
        column = end;
    }
    return changed;
}
