// Finding rows: the find line filters the view as it is typed, Enter keeps the filter for
// paging, Escape clears it.

#include "tests/app/ViewerCase.h"
#include "tests/app/ViewerScreen.h"

#include <gtest/gtest.h>

namespace {

TEST_F(ViewerFind, TypingFiltersTheViewEnterKeepsItForPagingAndEscapeClearsIt) {
    addCollisionSwatches();
    // lava00 to lava19, then rock00 to rock29 (entries 20 to 49), in the listing's order.
    for (int i = 0; i < 20; ++i)
        level.addTexture(numbered("lava", i), swatchColour(i), imageColour(i));
    for (int i = 20; i < 50; ++i)
        level.addTexture(numbered("rock", i - 20), swatchColour(i), imageColour(i));
    ViewerRun& viewer = start();
    // The move to the window's middle that SDL reports as the window opens, over row 11 here,
    // is no hover: a frame after it (the one that shows the key) has no hover lines.
    viewer.press({"i"});
    Screenshot shot = viewer.waitFor(pageNumberOf(11));
    EXPECT_EQ(bottomLineWidth(shot, 2), 0);
    viewer.press({"i"});
    const Screenshot before = viewer.waitFor(pageNumberOf(11, false));
    // One xdotool call per key: pressed within the same millisecond, a key pressed again
    // soon after itself can reach SDL as a repeat of the first press.
    auto type = [&viewer](const std::vector<std::string>& keys) {
        for (const std::string& key : keys)
            viewer.press({key});
    };
    // Waits for the first row to be `entry` and the find line to be `line` characters long
    // (0: no find line), each step's end, since the steps on the way may show the same row.
    auto shows = [&viewer](int entry, int line) {
        return viewer.waitFor(both(pixelIs(3, 29, swatchColour(entry)), bottomLineOf(0, line)));
    };

    // The keys type, "o" too: the view stays; the rows are those whose path holds "rock". A
    // cursor one glyph wide follows the filter while the line is open.
    type({"slash", "r", "o", "c", "k"});
    shot = shows(20, 16); // "/rock_: 30 of 50"
    EXPECT_EQ(captionWidth(shot), labelWidth(9));
    // Enter keeps the filter and the line; paging runs over the 30 rows.
    viewer.press({"Return", "Next"});
    shot = shows(35, 15);
    EXPECT_EQ(shot.at(3, rowY(14, 32) + 3), swatchColour(49));
    EXPECT_EQ(shot.at(3, rowY(15, 32) + 3), white);
    viewer.press({"Home"});
    shows(20, 15);
    viewer.press({"End"});
    shows(35, 15);
    viewer.press({"1"});
    shows(20, 15);
    // Each view keeps its own filter: the objects view has none.
    viewer.press({"o"});
    shot = viewer.waitFor(captionOf(8));
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);
    viewer.press({"t"});
    shows(20, 15);

    // `/` opens the line with the kept filter, to refine it. Backspace edits: every row again.
    viewer.press({"slash"});
    shows(20, 16); // "/rock_: 30 of 50"
    type({"2"});
    shows(40, 17); // "/rock2_: 10 of 50"
    type({"BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace"});
    shows(0, 12); // "/_: 50 of 50"
    type({"l", "a", "v", "a", "1"});
    shows(10, 17); // "/lava1_: 10 of 50"
    viewer.press({"BackSpace"});
    shot = shows(0, 16); // "/lava_: 20 of 50"
    EXPECT_EQ(shot.at(3, rowY(14, 32) + 3), swatchColour(14));
    // A colour's hex digits: 0x400303 alone starts with 4003.
    type({"BackSpace", "BackSpace", "BackSpace", "BackSpace", "numbersign", "4", "0", "0", "3"});
    shot = shows(3, 16); // "/#4003_: 1 of 50"
    EXPECT_EQ(shot.at(3, rowY(1, 32) + 3), white);
    // Escape while typing clears the filter and closes the line; it does not quit.
    viewer.press({"Escape"});
    shot = shows(0, 0);
    EXPECT_EQ(shot.pixels, before.pixels);
    // `/` then Enter on the empty line leaves no filter either.
    viewer.press({"slash", "Return", "2"});
    shows(15, 0);
    // Escape with a kept filter on screen clears it and closes its line, and the viewer goes
    // on (a second frame, the overlay's, shows it); only then does Escape quit.
    type({"slash", "l", "a", "v", "a"});
    viewer.press({"Return"});
    shows(0, 15); // "/lava: 20 of 50"
    viewer.press({"Escape"});
    shows(0, 0);
    viewer.press({"i"});
    shot = viewer.waitFor(pageNumberOf(11)); // "page 1 of 4"
    EXPECT_EQ(shot.at(3, 29), swatchColour(0));
    EXPECT_EQ(bottomLineWidth(shot, 0), 0);
    EXPECT_EQ(viewer.quit(), 0);
    EXPECT_EQ(viewer.standardError(), "");
}

} // namespace
