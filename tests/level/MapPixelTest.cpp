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
    EXPECT_EQ(MapPixel({}).classify(0xFF000000u).kind, MapPixelKind::Stray);
    EXPECT_EQ(MapPixel({1u, 2u, 1u}).classify(1u).marker, 0u);
}

// Each kind from a table: opaque and translucent markers, alpha 0 in any colour (a marker's
// included), and colours a step away from a marker.
TEST(MapPixel, AFullyTransparentPixelIsEmptyWhateverItsColour) {
    const MapPixel pixels({0xFFAA0000u, 0x80AA0000u, 0x00123456u});
    const struct {
        uint32_t pixel;
        MapPixelKind kind;
    } rows[] = {
        {0xFFAA0000u, MapPixelKind::Marker}, {0x80AA0000u, MapPixelKind::Marker},
        {0x00AA0000u, MapPixelKind::Empty},  {0x00000000u, MapPixelKind::Empty},
        {0x00123456u, MapPixelKind::Empty},  {0x01AA0000u, MapPixelKind::Stray},
        {0xFFAA0001u, MapPixelKind::Stray},
    };
    for (const auto& row : rows)
        EXPECT_EQ(pixels.classify(row.pixel).kind, row.kind) << std::hex << row.pixel;
}

} // namespace
