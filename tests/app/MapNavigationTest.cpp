// Moving around the map view, as arithmetic: zooming about a point, the zoom keys' focus,
// fitting, and panning that never loses the map.

#include "app/MapNavigation.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Size = MapNavigation::Size;
using Point = MapNavigation::Point;

// The default window's map area, a small map (64 by 32 pixels at 16 a cell) and a large one.
constexpr Size area = {300, 768};
constexpr Size small = {4, 2};
constexpr Size large = {200, 150};

// How many pixels of the map's extent lie within the area's, across and down.
double shownAcross(const MapNavigation& view, Size map) {
    const double right = view.originX() + map.width * view.cell();
    return std::min<double>(right, area.width) - std::max(view.originX(), 0.0);
}
double shownDown(const MapNavigation& view, Size map) {
    const double bottom = view.originY() + map.height * view.cell();
    return std::min<double>(bottom, area.height) - std::max(view.originY(), 0.0);
}

TEST(MapNavigation, ZoomingKeepsTheMapPointUnderItsFocusInPlace) {
    MapNavigation view;
    EXPECT_EQ(view.zoom(), MapNavigation::startZoom);
    // The point 40, 40 is in cell 2, 2 at 16 pixels a cell, and stays in it at 32.
    view.zoomAbout(view.zoom() + 1, {40, 40}, large, area);
    EXPECT_EQ(view.cell(), 32);
    EXPECT_EQ(view.originX(), -40);
    EXPECT_EQ(view.originY(), -40);
    int column = 0, row = 0;
    ASSERT_TRUE(view.cellAt({40, 40}, large, column, row));
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 2);
    // The steps end at 1/64 and 64 pixels a cell.
    for (int i = 0; i < 12; ++i)
        view.zoomAbout(view.zoom() + 1, {40, 40}, large, area);
    EXPECT_EQ(view.zoom(), MapNavigation::largestZoom);
    for (int i = 0; i < 14; ++i)
        view.zoomAbout(view.zoom() - 1, {40, 40}, large, area);
    EXPECT_EQ(view.zoom(), MapNavigation::smallestZoom);
    EXPECT_EQ(view.cell(), 1.0 / 64);
}

TEST(MapNavigation, TheKeysZoomAboutThePointerOnlyWhileItIsOverTheMapsCells) {
    const MapNavigation view; // the small map from 0, 0 to 64, 32
    const Point centre = {150, 384};
    const struct {
        std::optional<Point> pointer;
        Point focus;
    } cases[] = {
        {Point{10, 20}, Point{10, 20}}, // over cell 0, 1
        {Point{63, 31}, Point{63, 31}}, // over the last cell's last pixel
        {Point{64, 10}, centre},        // just right of the map
        {Point{250, 600}, centre},      // in the area, off the map
        {Point{10, -5}, centre},        // above the area
        {std::nullopt, centre},         // outside the window
    };
    for (const auto& c : cases) {
        const Point focus = view.keyZoomFocus(c.pointer, small, area);
        EXPECT_EQ(focus.x, c.focus.x) << (c.pointer ? c.pointer->x : -1);
        EXPECT_EQ(focus.y, c.focus.y) << (c.pointer ? c.pointer->y : -1);
    }
}

TEST(MapNavigation, NoMoveLosesTheMapAQuarterOfTheAreaOrTheWholeSmallMapStaysInView) {
    // Far past each edge: a large map's edge stops at the area's middle, a small map whole
    // inside the area.
    const struct {
        Size map;
        double dx, dy;
        double originX, originY;
    } cases[] = {
        {large, 1e6, 1e6, 150, 384},
        {large, -1e6, -1e6, 150 - 3200, 384 - 2400},
        {small, 1e6, 1e6, 300 - 64, 768 - 32},
        {small, -1e6, -1e6, 0, 0},
    };
    for (const auto& c : cases) {
        MapNavigation view;
        view.panBy(c.dx, c.dy, c.map, area);
        EXPECT_EQ(view.originX(), c.originX) << c.map.width << " " << c.dx;
        EXPECT_EQ(view.originY(), c.originY) << c.map.width << " " << c.dy;
    }
    // Zooms about the centre and about a far corner, and a quarter of the area a step, as the
    // keys move: every step leaves half the area's extent in view, or the map's whole extent.
    for (const Size map : {large, small}) {
        MapNavigation view;
        const Point corner = {299, 767};
        const struct {
            int zoom;
            Point about;
            double dx, dy;
        } steps[] = {{-1, corner, 0, 0},    {-1, corner, 0, 0},    {1, corner, 0, 0},
                     {0, {}, 75, 0},        {0, {}, 75, 0},        {0, {}, 75, 192},
                     {1, {150, 384}, 0, 0}, {1, {150, 384}, 0, 0}, {1, {150, 384}, 0, 0},
                     {0, {}, -75, 0},       {0, {}, -75, -192},    {0, {}, -75, -192},
                     {-3, {0, 0}, 0, 0},    {2, corner, 0, 0},     {0, {}, -75, -192}};
        for (const auto& step : steps) {
            if (step.zoom != 0)
                view.zoomAbout(view.zoom() + step.zoom, step.about, map, area);
            else
                view.panBy(step.dx, step.dy, map, area);
            const double across = std::min(map.width * view.cell(), area.width / 2.0);
            const double down = std::min(map.height * view.cell(), area.height / 2.0);
            EXPECT_GE(shownAcross(view, map), across) << map.width << " at x" << view.cell();
            EXPECT_GE(shownDown(view, map), down) << map.width << " at x" << view.cell();
        }
    }
}

TEST(MapNavigation, FittingTakesTheLargestZoomThatShowsTheWholeMapAtTheAreasCorner) {
    const struct {
        Size map, area;
        int zoom;
    } cases[] = {
        {small, area, 6},         // 256 by 128
        {large, area, 0},         // 200 by 150
        {{4096, 4096}, area, -4}, // 256 by 256
        {{8192, 8192}, area, -5},
        {{16384, 16384}, area, -6}, // the largest map fits the smallest zoom: 256 by 256
        {{19200, 100}, area, -6},   // to the pixel across
        {{19201, 100}, area, -6},   // the smallest, though too large still
        {{300, 768}, area, 0},      // to the pixel
        {{301, 10}, area, -1},      // a pixel over
    };
    for (const auto& c : cases) {
        MapNavigation view;
        view.panBy(-100, -100, c.map, c.area);
        view.fit(c.map, c.area);
        EXPECT_EQ(view.zoom(), c.zoom) << c.map.width << "x" << c.map.height;
        EXPECT_EQ(view.originX(), 0);
        EXPECT_EQ(view.originY(), 0);
    }
}

TEST(MapNavigation, HomeShowsAMapOf16384CellsASideWholeAndTheZoomStopsThere) {
    constexpr Size largest = {16384, 16384};
    MapNavigation view;
    view.panBy(-1e6, -1e6, largest, area); // far inside it, at 16 pixels a cell
    view.fit(largest, area);
    EXPECT_EQ(view.zoom(), MapNavigation::smallestZoom);
    EXPECT_EQ(shownAcross(view, largest), 256);
    EXPECT_EQ(shownDown(view, largest), 256);
    // The last pixel covers the last 64 cells across and down.
    int column = 0, row = 0;
    ASSERT_TRUE(view.cellAt({255, 255}, largest, column, row));
    EXPECT_EQ(column, 16384 - 64);
    EXPECT_EQ(row, 16384 - 64);
    EXPECT_FALSE(view.cellAt({256, 100}, largest, column, row));
    // Out again, by the keys or the wheel: the floor holds, and so does the map's place.
    view.zoomAbout(view.zoom() - 1, {128, 128}, largest, area);
    EXPECT_EQ(view.zoom(), MapNavigation::smallestZoom);
    EXPECT_EQ(view.originX(), 0);
    EXPECT_EQ(view.originY(), 0);
    // In by one: 1/32, about the map's centre.
    view.zoomAbout(view.zoom() + 1, {128, 128}, largest, area);
    EXPECT_EQ(view.cell(), 1.0 / 32);
    EXPECT_EQ(view.originX(), -128);
}

TEST(MapNavigation, AMapThatShrankIsBroughtBackInView) {
    MapNavigation view;
    view.panBy(-1e6, -1e6, large, area); // the large map's far corner at the area's middle
    view.keepInView(small, area);        // saved at 4 by 2: whole in view again
    EXPECT_EQ(view.originX(), 0);
    EXPECT_EQ(view.originY(), 0);
}

} // namespace
