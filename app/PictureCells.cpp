#include "app/PictureCells.h"

#include <algorithm>

std::vector<PictureCells::Span> PictureCells::spans(int32_t pixels, double origin, double cell,
                                                    int cells) {
    // Window pixels run through the cells in order, so each shown cell is one run of pixels.
    std::vector<Span> shown;
    for (int32_t pixel = 0; pixel < pixels; ++pixel) {
        const double at = pickedCell(pixel, origin, cell);
        if (at < 0 || at >= cells)
            continue;
        if (!shown.empty() && shown.back().cell == int(at) && shown.back().end == pixel)
            ++shown.back().end;
        else
            shown.push_back({int(at), pixel, pixel + 1});
    }
    return shown;
}

void PictureCells::keep(const MapList::Map& map, int32_t width, int32_t height) {
    const double cell = map.view.cell();
    columns_ = spans(width, map.view.originX(), cell, map.width);
    rows_ = spans(height, map.view.originY(), cell, map.height);
    pixels_.clear();
    pixels_.reserve(columns_.size() * rows_.size());
    const uint32_t* const cells = map.pixels().data();
    for (const Span& row : rows_) {
        const uint32_t* const line = cells + size_t(row.cell) * size_t(map.width);
        for (const Span& column : columns_)
            pixels_.push_back(line[column.cell]);
    }
}

PictureCells::Area PictureCells::changed(const MapList::Map& map) {
    const uint32_t* const cells = map.pixels().data();
    const size_t across = columns_.size();
    size_t top = rows_.size(), bottom = 0, left = across, right = 0;
    bool any = false;
    uint32_t* kept = pixels_.data();
    for (size_t i = 0; i < rows_.size(); ++i, kept += across) {
        const uint32_t* const line = cells + size_t(rows_[i].cell) * size_t(map.width);
        for (size_t j = 0; j < across; ++j) {
            const uint32_t now = line[columns_[j].cell];
            if (now == kept[j])
                continue;
            kept[j] = now;
            any = true;
            top = std::min(top, i);
            bottom = std::max(bottom, i);
            left = std::min(left, j);
            right = std::max(right, j);
        }
    }
    if (!any)
        return {};
    return {columns_[left].first, rows_[top].first, columns_[right].end - columns_[left].first,
            rows_[bottom].end - rows_[top].first};
}

void PictureCells::clear() {
    columns_ = {};
    rows_ = {};
    pixels_ = {};
}
