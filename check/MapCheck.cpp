#include "check/MapCheck.h"

#include "level/ColourText.h"
#include "level/MapPixel.h"

bool checkMap(LevelReport& report, const std::string& file, std::string& reason) {
    MapCount count = countMap(file);
    if (!count.read) {
        reason = count.reason;
        return false;
    }
    MapReport map;
    map.file = file;
    map.width = count.width;
    map.height = count.height;
    map.markerPixels.assign(report.markers.size(), 0);
    map.untrackedPixels = count.untrackedPixels;
    std::vector<uint32_t> markers;
    for (const Marker& marker : report.markers)
        markers.push_back(marker.colour);
    const MapPixel pixels(markers);
    for (ColourCount& colour : count.colours) {
        const MapPixelClass found = pixels.classify(colour.colour);
        switch (found.kind) {
        case MapPixelKind::Marker:
            map.markerPixels[found.marker] = colour.pixels;
            break;
        case MapPixelKind::Empty: // unpainted: neither a marker's pixels nor a stray
            break;
        case MapPixelKind::Stray:
            map.stray.push_back(std::move(colour));
            break;
        }
    }
    for (const ColourCount& stray : map.stray) {
        std::string positions;
        for (const PixelPosition& at : stray.first)
            positions += (positions.empty() ? "" : " ") + std::string("(") + std::to_string(at.x) +
                         "," + std::to_string(at.y) + ")";
        std::string nearest;
        if (const std::optional<size_t> close = nearestMarker(markers, stray.colour)) {
            const Marker& marker = report.markers[*close];
            nearest = ", but close to " + colourText(marker.colour) + " (" +
                      report.legend[marker.entries.front()].path + ")";
        }
        report.problems.push_back({"stray",
                                   file,
                                   {},
                                   {stray.colour},
                                   "stray colour " + colourText(stray.colour) + " in " + file +
                                       ": " + std::to_string(stray.pixels) +
                                       (stray.pixels == 1 ? " pixel" : " pixels") + ", first at " +
                                       positions + "; it is no marker colour" + nearest +
                                       "; repaint it with a marker colour",
                                   stray.pixels,
                                   stray.first,
                                   file,
                                   0});
    }
    if (map.untrackedPixels > 0)
        report.problems.push_back(
            {"stray",
             file,
             {},
             {},
             "more than " + std::to_string(MapCount::trackedColours) + " colours in " + file +
                 ": " + std::to_string(map.untrackedPixels) +
                 " more pixels are in colours not listed; it looks like a picture, not a map "
                 "painted in marker colours",
             map.untrackedPixels,
             {},
             file,
             0});
    report.maps.push_back(std::move(map));
    return true;
}
