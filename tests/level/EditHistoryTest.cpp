// Undo, redo, the history's budget and the save point, through the painting tools.

#include "level/MapEditor.h"

#include "tests/level/DrawnMap.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;
const uint32_t A = drawnColour('A'), B = drawnColour('B');

// A stroke of one cell at `column` of row 0.
void dot(MapEditor& editor, int column, uint32_t colour) {
    editor.beginStroke({column, 0}, colour, 1);
    editor.endStroke();
}

TEST(EditHistory, UndoAndRedoStepThroughTheMapsAndANewStepDropsTheRedo) {
    MapEditor editor(drawnMap({"....."}));
    EXPECT_FALSE(editor.undo());
    dot(editor, 0, A);
    editor.rectangle({1, 0}, {3, 0}, B);
    dot(editor, 4, A);
    const Rows states[] = {{"....."}, {"A...."}, {"ABBB."}, {"ABBBA"}};
    for (int step = 3; step > 0; --step) {
        EXPECT_EQ(drawing(editor.canvas()), states[step]);
        EXPECT_TRUE(editor.undo());
    }
    EXPECT_EQ(drawing(editor.canvas()), states[0]);
    EXPECT_FALSE(editor.undo());
    for (int step = 1; step <= 3; ++step) {
        EXPECT_TRUE(editor.redo());
        EXPECT_EQ(drawing(editor.canvas()), states[step]);
    }
    EXPECT_FALSE(editor.redo());

    editor.undo();
    editor.undo();
    editor.fill({2, 0}, A); // a new step after two undos
    EXPECT_EQ(drawing(editor.canvas()), Rows{"AAAAA"});
    EXPECT_FALSE(editor.redo());
    EXPECT_EQ(editor.history().steps(), 2u);
    editor.undo();
    editor.undo();
    EXPECT_EQ(drawing(editor.canvas()), states[0]);
}

TEST(EditHistory, AStrokeUndoneWhileItIsDrawnEndsThereAndTheNextMotionIsNoPartOfIt) {
    MapEditor editor(drawnMap({"....."}));
    editor.beginStroke({0, 0}, A, 1);
    editor.extendStroke({2, 0});
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(editor.extendStroke({4, 0}), 0u);
    EXPECT_EQ(drawing(editor.canvas()), Rows{"....."});
}

// A one-million-cell fill in a few bytes a row, and a long stroke in a few bytes a cell (a
// position and two colours would take twelve).
TEST(EditHistory, StepsHoldTheirCellsCompactly) {
    MapEditor editor(MapCanvas(1000, 1000));
    EXPECT_EQ(editor.fill({0, 0}, A), 1000000u);
    const size_t fillBytes = editor.history().bytes();
    EXPECT_LT(fillBytes, 8u * 1000);
    size_t cells = editor.beginStroke({0, 0}, B, 1);
    for (int cell = 1; cell < 1000; ++cell)
        cells += editor.extendStroke({cell, (cell * 7) % 1000}); // short and long moves
    editor.endStroke();
    EXPECT_GT(cells, 10000u);
    EXPECT_LT(editor.history().bytes() - fillBytes, 4 * cells);
    editor.undo();
    editor.undo();
    EXPECT_EQ(editor.canvas().pixels(), MapCanvas(1000, 1000).pixels());
}

TEST(EditHistory, OverItsBudgetTheOldestStepsGoAndTheLatestStaysWhateverItsSize) {
    // Each dot's step holds some tens of bytes; a budget of 300 keeps a few.
    MapEditor editor(drawnMap(emptyRows(64, 4)), 300);
    dot(editor, 0, A);
    const size_t oneStep = editor.history().bytes();
    EXPECT_FALSE(editor.history().takeDropped());
    for (int column = 1; column < 64; ++column)
        dot(editor, column, A);
    EXPECT_LE(editor.history().bytes(), 300u);
    EXPECT_EQ(editor.history().steps(), 300 / oneStep);
    EXPECT_TRUE(editor.history().takeDropped());
    EXPECT_FALSE(editor.history().takeDropped()); // said once
    while (editor.undo()) {
    }
    // The dots left undone are the latest ones.
    const std::string row = drawing(editor.canvas())[0];
    EXPECT_EQ(row, std::string(64 - 300 / oneStep, 'A') + std::string(300 / oneStep, '.'));

    // Steps larger than the whole budget, a checkerboard and a stroke over it (a few bytes a
    // cell, the colours under it changing at every cell), are kept alone, even while growing.
    editor.snap([](const MapCanvas&, int column, int row) {
        return std::optional((column + row) % 2 ? A : B);
    });
    EXPECT_EQ(editor.history().steps(), 1u);
    EXPECT_GT(editor.history().bytes(), 300u);
    const Rows checkerboard = drawing(editor.canvas());
    editor.beginStroke({0, 1}, drawnColour('C'), 16);
    editor.extendStroke({63, 1});
    EXPECT_EQ(drawing(editor.canvas()), Rows(4, std::string(64, 'C')));
    EXPECT_EQ(editor.history().steps(), 1u);
    EXPECT_GT(editor.history().bytes(), 300u);
    editor.endStroke();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(drawing(editor.canvas()), checkerboard);
}

TEST(EditHistory, TheMapIsCleanAtItsSavePointHoweverItGotThere) {
    MapEditor editor(drawnMap({"...."}));
    EditHistory& history = editor.history();
    EXPECT_FALSE(history.dirty());
    dot(editor, 0, A);
    EXPECT_TRUE(history.dirty());
    editor.undo();
    EXPECT_FALSE(history.dirty()); // back where it was read
    editor.redo();
    dot(editor, 1, A);
    history.markSaved();
    EXPECT_FALSE(history.dirty());
    editor.undo();
    EXPECT_TRUE(history.dirty());
    editor.redo();
    EXPECT_FALSE(history.dirty());

    // The saved state undone and replaced by another step cannot come back.
    editor.undo();
    dot(editor, 2, A);
    editor.undo();
    EXPECT_TRUE(history.dirty());
    history.markSaved();
    EXPECT_FALSE(history.dirty());

    // A save in the middle of a stroke saves what it painted so far.
    editor.beginStroke({3, 0}, B, 1);
    history.markSaved();
    EXPECT_EQ(editor.extendStroke({2, 0}), 1u);
    EXPECT_TRUE(history.dirty());
}

TEST(EditHistory, ASavePointDroppedForTheBudgetLeavesTheMapDirtyUntilSaved) {
    MapEditor editor(drawnMap(emptyRows(64, 1)), 200);
    for (int column = 0; column < 32; ++column)
        dot(editor, column, A);
    ASSERT_TRUE(editor.history().takeDropped());
    while (editor.undo()) {
    }
    EXPECT_TRUE(editor.history().dirty());
    editor.history().markSaved();
    EXPECT_FALSE(editor.history().dirty());
}

} // namespace
