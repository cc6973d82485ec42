#pragma once

#include "app/LevelContents.h"
#include "app/ViewMode.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The rows a paged view (textures or objects) lists from a level, and how they fall into pages
// of `rowsPerPage`: the paging and filter rules, with no drawing. The textures view lists the
// colours with a sprite, the objects view those with a description file, each in the order of
// levelColors (a colour carried twice is listed twice). A filter keeps the rows whose path
// contains it, whatever the letters' case, or, starting with '#', whose colour's hex digits
// start with the rest; every row passes "". Each listed row has a slot: its position in
// levelColors on the unfiltered textures view (the textures come first, so a texture without a
// sprite still takes its place), else its place among the rows that pass; page n starts at
// slot n * rowsPerPage. The list holds a reference to `level`, which must outlive it.
class PageList {
  public:
    PageList(const LevelContents& level, ViewMode viewMode, std::string filter, size_t rowsPerPage);

    // The positions in levelColors of a page's rows: the first rowsPerPage rows from its first
    // slot on; none past the last page, or with no room for a row.
    std::vector<size_t> rowsOfPage(int pageIndex) const;
    // How many pages hold a row; at least 1.
    int pageCount() const;
    // The rows that pass the filter.
    size_t shownCount() const;
    // The page of the first row of `colour`; -1 when the view shows no row of it.
    int pageOf(uint32_t colour) const;

    // Whether the view lists a row of `colour`, whatever the filter.
    static bool lists(const LevelContents& level, ViewMode viewMode, uint32_t colour);
    // Whether `colour`'s row passes `filter` on the view.
    static bool passes(const LevelContents& level, ViewMode viewMode, uint32_t colour,
                       const std::string& filter);
    // The path a row shows: the texture's file, or the description file.
    static std::string pathOf(const LevelContents& level, ViewMode viewMode, uint32_t colour);

  private:
    // Calls `visit(slot, position)` for each listed row that passes, in order, from the first
    // whose slot is at least `fromSlot`, until it returns false.
    void walk(size_t fromSlot, const std::function<bool(size_t, size_t)>& visit) const;

    const LevelContents& level_;
    ViewMode viewMode_;
    std::string filter_;
    size_t rowsPerPage_;
};
