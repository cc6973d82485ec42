// The stray rule: which marker a stray pixel of a map was meant to be, from its neighbours
// first, as a table of small maps.

#include "level/MeantMarker.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t red = 0xFFAA0000u;    // A
constexpr uint32_t yellow = 0xFFFFFF00u; // B
constexpr uint32_t blue = 0xFF0000FFu;
constexpr uint32_t grey = 0xFF808080u;
constexpr uint32_t greyer = 0xFF808088u; // 8 from grey
constexpr uint32_t empty = 0x00000000u;
// Seven tenths red, three tenths yellow, as an anti-aliased edge leaves it: 81 from red.
constexpr uint32_t redYellow = 0xFFC44D00u;

const std::vector<uint32_t> markers = {red, yellow, blue, grey, greyer};

struct Case {
    const char* what;
    uint32_t pixels[9]; // 3 by 3, rows from the top
    int x, y;
    int snap;
    Meant meant;
};

const Case cases[] = {
    {"a blend of its two neighbours' markers, nearer red",
     {red, red, yellow, red, redYellow, yellow, red, red, yellow},
     1,
     1,
     12,
     {Meant::Blend, red, yellow}},
    {"the same blend the other way round is meant as yellow",
     {yellow, yellow, red, yellow, 0xFFE6B200u, red, yellow, yellow, red},
     1,
     1,
     12,
     {Meant::Blend, yellow, red}},
    {"a step off its one neighbour marker",
     {red, red, red, red, 0xFFAD0302u, red, red, red, red},
     1,
     1,
     12,
     {Meant::Near, red, 0}},
    {"exactly the snap distance away is within it",
     {red, red, red, red, 0xFFAA0C00u, red, red, red, red},
     1,
     1,
     12,
     {Meant::Near, red, 0}},
    {"one further is not, and no other marker is near",
     {red, red, red, red, 0xFFAA0D00u, red, red, red, red},
     1,
     1,
     12,
     {}},
    {"nothing near it at all", {red, red, red, red, 0xFF00FFFFu, red, red, red, red}, 1, 1, 12, {}},
    {"a neighbour's marker within the snap beats a nearer one no neighbour carries",
     {greyer, greyer, greyer, greyer, 0xFF888080u, greyer, greyer, greyer, greyer},
     1,
     1,
     12,
     {Meant::Near, greyer, 0}},
    {"with no neighbour candidate, the nearest marker of all within the snap",
     {red, red, red, red, 0xFF0000F8u, red, red, red, red},
     1,
     1,
     12,
     {Meant::Near, blue, 0}},
    {"a tie goes to the marker most neighbours carry",
     {grey, grey, grey, greyer, 0xFF808084u, greyer, greyer, greyer, greyer},
     1,
     1,
     12,
     {Meant::Near, greyer, 0}},
    {"an even tie goes to the lower colour",
     {greyer, greyer, greyer, greyer, 0xFF808084u, grey, grey, grey, grey},
     1,
     1,
     12,
     {Meant::Near, grey, 0}},
    {"a tie of the stray rule's last step goes to the lower colour too",
     {empty, empty, empty, empty, 0xFF808084u, empty, empty, empty, empty},
     1,
     1,
     12,
     {Meant::Near, grey, 0}},
    {"alpha is left out: a translucent pixel of a marker's RGB is that marker",
     {empty, empty, empty, empty, 0x80AA0000u, empty, empty, empty, empty},
     1,
     1,
     0,
     {Meant::Near, red, 0}},
    {"a fully transparent pixel of a marker's RGB is empty, never a neighbour marker",
     {0x00AA0000u, 0x00AA0000u, yellow, 0x00AA0000u, redYellow, yellow, 0x00AA0000u, 0x00AA0000u,
      yellow},
     1,
     1,
     12,
     {}},
    {"at the map's corner only the three neighbours inside count",
     {redYellow, red, blue, yellow, red, blue, blue, blue, blue},
     0,
     0,
     12,
     {Meant::Blend, red, yellow}},
};

TEST(MeantMarker, AStrayIsMeantAsANeighboursMarkerFirstThenTheNearestOfAll) {
    for (const Case& c : cases) {
        MeantMarker rule(markers, c.snap);
        const PixelRows map{c.pixels, 3, 3, 3};
        const Meant meant = rule.meant(map, c.x, c.y);
        EXPECT_EQ(meant.kind, c.meant.kind) << c.what;
        EXPECT_EQ(meant.marker, c.meant.marker) << c.what;
        EXPECT_EQ(meant.other, c.meant.other) << c.what;
    }
}

// The check reads a map a band of rows at a time: a band that stops at the stray's row has no
// neighbours below it, however the whole map goes on.
TEST(MeantMarker, ABandOfRowsEndsTheNeighboursWhereItEnds) {
    const uint32_t pixels[] = {blue, blue, blue, blue, redYellow, blue, red, red, yellow};
    MeantMarker rule(markers, 12);
    EXPECT_EQ(rule.meant({pixels, 3, 3, 3}, 1, 1), (Meant{Meant::Blend, red, yellow}));
    EXPECT_EQ(rule.meant({pixels, 3, 2, 3}, 1, 1), Meant{});
    // A band's rows may be a window of a wider image: the stride steps over the rest.
    const uint32_t wide[] = {red, red, 0, 0, 0xFFAB0000u, red, 0, 0};
    EXPECT_EQ(rule.meant({wide, 2, 2, 4}, 0, 1), (Meant{Meant::Near, red, 0}));
}

} // namespace
