#pragma once

#include <optional>

// Where a map lies in the map area and at what zoom, and the moves that change it: arithmetic
// on area pixels (x from the area's left edge, y from its top), no window. A cell is 2^zoom
// pixels; the origin is the area position of the map's top-left corner, drawn at its floor.
// Every move keeps part of the map in view: across and down, at least half the area's extent
// shows, or the map's whole extent where that is smaller, so that the map covers at least a
// quarter of the area, or shows whole. The area's size is never negative.
class MapNavigation {
  public:
    // Zoom steps: a cell is 2^zoom pixels, from 1/64 to 64; at 1/64 the default window's
    // area (300 by 768) holds a map of 16,384 cells a side.
    static constexpr int smallestZoom = -6;
    static constexpr int largestZoom = 6;
    static constexpr int startZoom = 4;

    // A map's size in cells, or the area's in pixels.
    struct Size {
        int width = 0;
        int height = 0;
    };
    struct Point {
        double x = 0;
        double y = 0;
    };

    int zoom() const { return zoom_; }
    double originX() const { return originX_; }
    double originY() const { return originY_; }
    // The pixels a cell is wide and high.
    double cell() const;

    // Zooms to `zoom`, clamped to the steps, keeping the map point under `about` where it is,
    // then as far as the map stays in view.
    void zoomAbout(int zoom, Point about, Size map, Size area);
    // Moves the map by (dx, dy) pixels, as far as it stays in view.
    void panBy(double dx, double dy, Size map, Size area);
    // The largest zoom at which the whole map fits the area (or the smallest), the map's
    // top-left corner at the area's.
    void fit(Size map, Size area);
    // Moves the map the least way that brings it back in view (after the map or the area
    // changed size).
    void keepInView(Size map, Size area);

    // The cell under an area point, the map's cells counted on past its edges. Never fails.
    void cellOf(Point point, int& column, int& row) const;
    // The cell under an area point; false when none is.
    bool cellAt(Point point, Size map, int& column, int& row) const;
    // The point the zoom keys zoom about: the pointer while it lies over one of the map's cells,
    // else the area's centre.
    Point keyZoomFocus(std::optional<Point> pointer, Size map, Size area) const;

  private:
    int zoom_ = startZoom;
    double originX_ = 0;
    double originY_ = 0;
};
