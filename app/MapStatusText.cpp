#include "app/MapStatusText.h"

#include "app/ShortenedPath.h"
#include "gfx/Screen.h"
#include "level/ColourText.h"

#include <algorithm>

namespace {

std::string zoomText(int zoom) {
    return zoom >= 0 ? "x" + std::to_string(1 << zoom) : "x1/" + std::to_string(1 << -zoom);
}

std::string cellPlace(int column, int row, uint32_t pixel) {
    return std::to_string(column) + "," + std::to_string(row) + " " + hexColour(pixel) + " ";
}

} // namespace

const char* const noMapText = "no map: put a painted PNG in levels/ or give --map FILE";
const char* const notLoadedText = "read once the level is loaded";
const char* const unreadableText = "cannot be read";
const char* const noBrushText = "right click a cell or a row to pick";
const char* const unsavedQuestion = "unsaved: ^S saves, Esc quits";

size_t mapLineRoom(int32_t width) {
    return Screen::labelCharactersIn(width);
}

std::string mapCaption(const std::string* path, size_t room, bool editing, bool unsaved) {
    const std::string caption = editing ? "EDIT: " : "MAP: ";
    if (!path)
        return caption + "none";
    const std::string mark = unsaved ? " *" : "";
    const size_t kept = caption.size() + mark.size();
    return caption + shortenPath(*path, room > kept ? room - kept : 0) + mark;
}

std::string brushText(const std::optional<uint32_t>& brush, const std::string& what, size_t room) {
    if (!brush)
        return shortenPath(noBrushText, room);
    const std::string kept = hexColour(*brush) + " ";
    return kept + shortenPath(what, room > kept.size() ? room - kept.size() : 0);
}

std::vector<std::string> mapStatusLines(const std::string& status, size_t room) {
    const size_t wrap = status.find(" or give");
    if (status.size() <= room || wrap == std::string::npos)
        return {status};
    return {status.substr(0, wrap), status.substr(wrap + 1)};
}

std::string recoveryOffer(const std::string& time) {
    return "recovery from " + time + ": u loads it";
}

std::string mapSummary(int width, int height, size_t strays, int zoom) {
    return std::to_string(width) + "x" + std::to_string(height) + ", " + std::to_string(strays) +
           (strays == 1 ? " stray pixel, " : " stray pixels, ") + zoomText(zoom);
}

std::string cellHover(int column, int row, uint32_t pixel, const std::string& what,
                      const std::string& object, size_t room) {
    const std::string kept = cellPlace(column, row, pixel);
    const size_t left = room > kept.size() ? room - kept.size() : 0;
    if (object.empty())
        return kept + shortenPath(what, left);
    const std::string both = " and ";
    const size_t names = left > both.size() ? left - both.size() : 0;
    size_t forTexture = names / 2;
    if (what.size() <= names / 2)
        forTexture = what.size();
    else if (object.size() <= names - names / 2)
        forTexture = names - object.size();
    return kept + shortenPath(what, forTexture) + both +
           shortenPath(object, names - std::min(names, forTexture));
}

std::string strayHover(int column, int row, uint32_t pixel, const Meant& meant,
                       const std::string& what, int snap, size_t room) {
    if (meant.kind == Meant::None)
        return cellPlace(column, row, pixel) + "no marker within " + std::to_string(snap);
    const std::string kept = cellPlace(column, row, pixel) +
                             (meant.kind == Meant::Blend ? "blend" : "no marker") + ", meant " +
                             hexColour(meant.marker) + " ";
    return kept + "(" + shortenPath(what, room > kept.size() + 2 ? room - kept.size() - 2 : 0) +
           ")";
}
