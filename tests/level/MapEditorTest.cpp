// The painting tools on small maps drawn as text (tests/level/DrawnMap.h).

#include "level/MapEditor.h"

#include "tests/level/DrawnMap.h"

#include <gtest/gtest.h>

namespace {

using Cell = MapEditor::Cell;
using Rows = std::vector<std::string>;
const uint32_t A = drawnColour('A'), B = drawnColour('B');

// Each size at a cell inside, and at the map's corners, where the square is cut.
TEST(MapEditor, TheBrushSquareHasTheCellAtItsCentreOrTopLeftOfItsCentre) {
    const struct {
        int size;
        Cell at;
        Rows after;
    } rows[] = {
        {1, {2, 2}, {"......", "......", "..A...", "......", "......", "......"}},
        {2, {2, 2}, {"......", "......", "..AA..", "..AA..", "......", "......"}},
        {4, {2, 2}, {"......", ".AAAA.", ".AAAA.", ".AAAA.", ".AAAA.", "......"}},
        {4, {0, 0}, {"AAA...", "AAA...", "AAA...", "......", "......", "......"}},
        {2, {5, 5}, {"......", "......", "......", "......", "......", ".....A"}},
        {8, {5, 0}, {"..AAAA", "..AAAA", "..AAAA", "..AAAA", "..AAAA", "......"}},
        {16, {5, 5}, Rows(6, "AAAAAA")},
        {0, {1, 1}, {"......", ".A....", "......", "......", "......", "......"}},
    };
    for (const auto& row : rows) {
        MapEditor editor(drawnMap(emptyRows(6, 6)));
        editor.beginStroke(row.at, A, row.size);
        editor.endStroke();
        EXPECT_EQ(drawing(editor.canvas()), row.after) << "size " << row.size;
    }
}

TEST(MapEditor, AStrokeLeavesNoGapHoweverFarItsCellsAreApart) {
    MapEditor editor(drawnMap(emptyRows(12, 5)));
    editor.beginStroke({0, 0}, A, 1);
    editor.extendStroke({11, 4}); // one mouse motion across the map
    editor.extendStroke({0, 4});
    editor.endStroke();
    EXPECT_EQ(drawing(editor.canvas()), (Rows{"AA..........", "..AAA.......", ".....AA.....",
                                              ".......AAA..", "AAAAAAAAAAAA"}));
    // A press, many motions and the release are one step.
    EXPECT_EQ(editor.history().steps(), 1u);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(drawing(editor.canvas()), emptyRows(12, 5));
}

TEST(MapEditor, AStrokeOffTheMapPaintsUpToItsEdgeAndCostsNoMore) {
    MapEditor editor(drawnMap(emptyRows(6, 3)));
    editor.beginStroke({-2000000000, 1}, A, 2);
    editor.extendStroke({2000000000, 1});
    editor.extendStroke({2000000000, -2000000000});
    editor.endStroke();
    EXPECT_EQ(drawing(editor.canvas()), (Rows{"......", "AAAAAA", "AAAAAA"}));
}

// A stroke over cells it painted, and over cells of the colour it paints, undoes exactly.
TEST(MapEditor, AStrokeCrossingItselfAndPaintedCellsUndoesToTheMapBefore) {
    const Rows before = {"B.A.B", ".BAB.", "AAAAA", ".BAB.", "B.A.B"};
    MapEditor editor(drawnMap(before));
    editor.beginStroke({0, 0}, B, 2);
    editor.extendStroke({4, 4});
    editor.extendStroke({4, 0});
    editor.extendStroke({0, 4});
    editor.endStroke();
    EXPECT_EQ(drawing(editor.canvas()), (Rows{"BBA.B", "BBBBB", "ABBBB", ".BBBB", "BBBBB"}));
    editor.undo();
    EXPECT_EQ(drawing(editor.canvas()), before);
}

TEST(MapEditor, ALineStartsWhereTheLastStrokeOrLineEnded) {
    MapEditor editor(drawnMap(emptyRows(7, 4)));
    EXPECT_FALSE(editor.lastPainted());
    editor.line({1, 0}, A, 1); // nothing painted before: the cell alone
    editor.line({6, 3}, B, 1); // from that cell, which it paints over
    EXPECT_EQ(drawing(editor.canvas()), (Rows{".B.....", "..BB...", "....BB.", "......B"}));
    EXPECT_EQ(editor.history().steps(), 2u);
    editor.beginStroke({0, 3}, A, 1);
    editor.endStroke();
    editor.line({3, 3}, A, 1);
    EXPECT_EQ(drawing(editor.canvas())[3], "AAAA..B");
}

TEST(MapEditor, ARectangleIsFilledFromAnyCornerAndCutAtTheMapsEdge) {
    const Rows after = {".....", ".AAA.", ".AAA.", "....."};
    for (const auto& [a, b] : {std::pair{Cell{1, 1}, Cell{3, 2}},
                               {Cell{3, 2}, Cell{1, 1}},
                               {Cell{3, 1}, Cell{1, 2}},
                               {Cell{1, 2}, Cell{3, 1}}}) {
        MapEditor editor(drawnMap(emptyRows(5, 4)));
        EXPECT_EQ(editor.rectangle(a, b, A), 6u);
        EXPECT_EQ(drawing(editor.canvas()), after);
    }
    MapEditor editor(drawnMap(emptyRows(5, 4)));
    editor.rectangle({3, -5}, {90, 1}, A);
    EXPECT_EQ(drawing(editor.canvas()), (Rows{"...AA", "...AA", ".....", "....."}));
}

// The fill crosses no diagonal, stops at any other colour however close, and fills holes
// reached round corners (a scanline fill must seed rows above and below both ways).
TEST(MapEditor, AFillTakesTheCellsFourConnectedThroughTheExactColour) {
    MapEditor editor(drawnMap({
        "..A....",
        ".A..a..",
        "A..A.A.",
        "..A..A.",
        "AAA.A..",
    }));
    EXPECT_EQ(editor.fill({3, 1}, B), 16u);
    EXPECT_EQ(drawing(editor.canvas()), (Rows{
                                            "..ABBBB",
                                            ".ABBaBB",
                                            "ABBA.AB",
                                            "BBA..AB",
                                            "AAA.ABB",
                                        }));
    EXPECT_EQ(editor.fill({0, 0}, A), 3u);
    EXPECT_EQ(drawing(editor.canvas())[0], "AAABBBB");
    // A fill of the colour already there, or off the map, is no step.
    EXPECT_EQ(editor.fill({3, 0}, B), 0u);
    EXPECT_EQ(editor.fill({7, 0}, B), 0u);
    EXPECT_EQ(editor.history().steps(), 2u);
}

// A stray 'x' takes its left neighbour's colour when that is a marker: the run "xxx" snaps at
// its first cell only, each decision made on the map as it was.
TEST(MapEditor, ASnapDecidesEveryCellFromTheMapBeforeIt) {
    MapEditor editor(drawnMap({"AxxxB", "x.xBx"}));
    const auto leftMarker = [](const MapCanvas& before, int column,
                               int row) -> std::optional<uint32_t> {
        if (before.at(column, row) != drawnColour('x') || column == 0)
            return std::nullopt;
        const uint32_t left = before.at(column - 1, row);
        return left == A || left == B ? std::optional(left) : std::nullopt;
    };
    EXPECT_EQ(editor.snap(leftMarker), 2u);
    EXPECT_EQ(drawing(editor.canvas()), (Rows{"AAxxB", "x.xBB"}));
    EXPECT_EQ(editor.history().steps(), 1u);
    editor.undo();
    EXPECT_EQ(drawing(editor.canvas()), (Rows{"AxxxB", "x.xBx"}));
    // A decision to keep a cell's colour is no change.
    EXPECT_EQ(editor.snap([](const MapCanvas& before, int column, int row) {
        return std::optional(before.at(column, row));
    }),
              0u);
    EXPECT_TRUE(editor.history().canRedo());
}

TEST(MapEditor, PaintingTheColourAlreadyThereRecordsNothingAndKeepsRedo) {
    MapEditor editor(drawnMap({"AAAB", "AAAB"}));
    editor.rectangle({3, 0}, {3, 1}, A);
    editor.undo();
    const uint64_t revision = editor.canvas().revision();
    EXPECT_EQ(editor.beginStroke({0, 0}, A, 2), 0u);
    EXPECT_EQ(editor.extendStroke({1, 0}), 0u);
    editor.endStroke();
    editor.line({0, 1}, A, 1);
    EXPECT_EQ(editor.rectangle({0, 0}, {1, 1}, A), 0u);
    EXPECT_TRUE(editor.history().canRedo());
    EXPECT_FALSE(editor.history().dirty());
    EXPECT_EQ(editor.canvas().revision(), revision);
}

} // namespace
