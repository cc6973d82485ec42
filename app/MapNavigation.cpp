#include "app/MapNavigation.h"

#include <algorithm>
#include <cmath>

namespace {

// The origin along one direction clamped so that at least min(extent, room / 2) of the map's
// extent lies within the room: the map's edge may come to the area's middle, no further.
double clampOrigin(double origin, double extent, double room) {
    const double shown = std::min(extent, room / 2);
    return std::clamp(origin, shown - extent, room - shown);
}

} // namespace

double MapNavigation::cell() const {
    return std::ldexp(1.0, zoom_);
}

void MapNavigation::zoomAbout(int zoom, Point about, Size map, Size area) {
    zoom = std::clamp(zoom, smallestZoom, largestZoom);
    const double scale = std::ldexp(1.0, zoom - zoom_);
    originX_ = about.x - (about.x - originX_) * scale;
    originY_ = about.y - (about.y - originY_) * scale;
    zoom_ = zoom;
    keepInView(map, area);
}

void MapNavigation::panBy(double dx, double dy, Size map, Size area) {
    originX_ += dx;
    originY_ += dy;
    keepInView(map, area);
}

void MapNavigation::fit(Size map, Size area) {
    int zoom = largestZoom;
    while (zoom > smallestZoom &&
           (std::ldexp(map.width, zoom) > area.width || std::ldexp(map.height, zoom) > area.height))
        --zoom;
    zoom_ = zoom;
    originX_ = originY_ = 0;
}

void MapNavigation::keepInView(Size map, Size area) {
    originX_ = clampOrigin(originX_, map.width * cell(), area.width);
    originY_ = clampOrigin(originY_, map.height * cell(), area.height);
}

void MapNavigation::cellOf(Point point, int& column, int& row) const {
    // Clamped far past any map, so that a pointer anywhere makes a cell.
    const double limit = 1 << 24;
    column = int(std::clamp(std::floor((point.x - std::floor(originX_)) / cell()), -limit, limit));
    row = int(std::clamp(std::floor((point.y - std::floor(originY_)) / cell()), -limit, limit));
}

bool MapNavigation::cellAt(Point point, Size map, int& column, int& row) const {
    const double cx = std::floor((point.x - std::floor(originX_)) / cell());
    const double cy = std::floor((point.y - std::floor(originY_)) / cell());
    if (cx < 0 || cy < 0 || cx >= map.width || cy >= map.height)
        return false;
    column = int(cx);
    row = int(cy);
    return true;
}

MapNavigation::Point MapNavigation::keyZoomFocus(std::optional<Point> pointer, Size map,
                                                 Size area) const {
    int column = 0, row = 0;
    if (pointer && pointer->x >= 0 && pointer->x < area.width && pointer->y >= 0 &&
        pointer->y < area.height && cellAt(*pointer, map, column, row))
        return *pointer;
    return Point{area.width / 2.0, area.height / 2.0};
}
