#include "app/PageList.h"

#include "level/ColourText.h"
#include "sprites/Sprite.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

PageList::PageList(const LevelContents& level, ViewMode viewMode, std::string filter,
                   size_t rowsPerPage)
    : level_(level), viewMode_(viewMode), filter_(std::move(filter)), rowsPerPage_(rowsPerPage) {}

bool PageList::lists(const LevelContents& level, ViewMode viewMode, uint32_t colour) {
    if (viewMode == ViewMode::Textures)
        return level.textureOf(colour) != nullptr;
    return !level.objectNameOf(colour).empty();
}

bool PageList::passes(const LevelContents& level, ViewMode viewMode, uint32_t colour,
                      const std::string& filter) {
    if (filter.empty())
        return true;
    if (filter[0] == '#')
        return lowerCase(hexColour(colour).substr(1)).rfind(lowerCase(filter.substr(1)), 0) == 0;
    return lowerCase(pathOf(level, viewMode, colour)).find(lowerCase(filter)) != std::string::npos;
}

std::string PageList::pathOf(const LevelContents& level, ViewMode viewMode, uint32_t colour) {
    if (viewMode == ViewMode::Textures)
        return level.textureOf(colour)->getName();
    return level.objectNameOf(colour);
}

void PageList::walk(size_t fromSlot, const std::function<bool(size_t, size_t)>& visit) const {
    const std::vector<uint32_t>& colours = level_.levelColors;
    const bool byPosition = viewMode_ == ViewMode::Textures && filter_.empty();
    size_t slot = 0;
    // By position, the slots before `fromSlot` are skipped unread.
    for (size_t position = byPosition ? fromSlot : 0; position < colours.size(); ++position) {
        const uint32_t colour = colours[position];
        if (!lists(level_, viewMode_, colour) || !passes(level_, viewMode_, colour, filter_))
            continue;
        const size_t at = byPosition ? position : slot++;
        if (at >= fromSlot && !visit(at, position))
            return;
    }
}

std::vector<size_t> PageList::rowsOfPage(int pageIndex) const {
    std::vector<size_t> rows;
    if (rowsPerPage_ == 0)
        return rows;
    walk(rowsPerPage_ * size_t(pageIndex), [&](size_t, size_t position) {
        rows.push_back(position);
        return rows.size() < rowsPerPage_;
    });
    return rows;
}

int PageList::pageCount() const {
    size_t end = 0;
    walk(0, [&end](size_t slot, size_t) {
        end = slot + 1;
        return true;
    });
    return end > 0 ? int((end - 1) / std::max<size_t>(1, rowsPerPage_)) + 1 : 1;
}

size_t PageList::shownCount() const {
    size_t shown = 0;
    walk(0, [&shown](size_t, size_t) {
        ++shown;
        return true;
    });
    return shown;
}

int PageList::pageOf(uint32_t colour) const {
    int page = -1;
    walk(0, [&](size_t slot, size_t position) {
        if (level_.levelColors[position] != colour)
            return true;
        page = int(slot / std::max<size_t>(1, rowsPerPage_));
        return false;
    });
    return page;
}
