// A map pixel's class: a marker by its index, or a stray colour.

#include "level/MapPixel.h"

#include <gtest/gtest.h>

namespace {

TEST(MapPixel, AMarkerColourIsThatMarkerComparedAsAWholeValueAlphaIncluded) {
    const MapPixel pixels({0xFFAA0000u, 0xFF00AA00u, 0x80AA0000u});
    EXPECT_EQ(pixels.classify(0xFF00AA00u).kind, MapPixelKind::Marker);
    EXPECT_EQ(pixels.classify(0xFF00AA00u).marker, 1u);
    EXPECT_EQ(pixels.classify(0x80AA0000u).marker, 2u);
    EXPECT_EQ(pixels.classify(0xFEAA0000u).kind, MapPixelKind::Stray);
}

TEST(MapPixel, WithoutMarkersEveryPixelIsStrayAndARepeatedMarkerKeepsItsFirstIndex) {
    EXPECT_EQ(MapPixel({}).classify(0u).kind, MapPixelKind::Stray);
    EXPECT_EQ(MapPixel({1u, 2u, 1u}).classify(1u).marker, 0u);
}

} // namespace
