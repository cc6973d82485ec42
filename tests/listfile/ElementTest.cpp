#include "listfile/AtomicElement.h"
#include "listfile/ListReader.h"
#include "tests/listfile/ListFileTest.h"
#include "tests/listfile/ReferencePrint.h"
#include "tests/listfile/StderrCapture.h"

#include <random>

namespace {

using PrintedForm = ListFileTest;
using ReplaceWord = ListFileTest;
using RestAndTerminalCell = ListFileTest;
using WordValues = ListFileTest;

TEST_F(PrintedForm, SingleSpacesNoQuotesNoLineBreaks) {
    EXPECT_EQ(read("(a (b c) d)\n")->getString(), "(a (b c) d)");
    EXPECT_EQ(read("(  a\n\n(b   c)\td ; note\n)")->getString(), "(a (b c) d)");
    EXPECT_EQ(read("(\"x y\")")->getString(), "(x y)");
}

TEST_F(PrintedForm, EmptyListsAndEmptyWordsPrintAsNothing) {
    EXPECT_EQ(read("()")->getString(), "");
    EXPECT_EQ(read("(a () b)")->getString(), "(a  b)");
    EXPECT_EQ(read("(a ())")->getString(), "(a)");
    EXPECT_EQ(read("(() a)")->getString(), "( a)");
    EXPECT_EQ(read("(())")->getString(), "()");
    EXPECT_EQ(read("((()))")->getString(), "(())");
    EXPECT_EQ(read("(a \"\" \"\" b \"\" ())")->getString(), "(a   b)");
    EXPECT_EQ(read("(\"\" () a)")->getString(), "(  a)");
    // A cell reached with rest prints the list from that cell on.
    EXPECT_EQ(read("(a b (c))")->rest()->getString(), "(b (c))");
}

ListObject* randomList(std::mt19937& random, int depth) {
    auto* list = new ListObject(depth);
    int length = static_cast<int>(random() % 5);
    for (int i = 0; i < length; ++i) {
        unsigned kind = random() % 4;
        if (kind == 0 && depth < 6)
            list->append(randomList(random, depth + 1));
        else
            list->append(new AtomicElement(kind == 1 ? "" : std::string(1, 'a' + i), depth));
    }
    return list;
}

TEST_F(PrintedForm, MatchesTheDefinitionOnRandomTrees) {
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        std::unique_ptr<ListObject> tree(randomList(random, 0));
        ASSERT_EQ(tree->getString(), referencePrinted(tree.get()));
    }
}

TEST_F(ReplaceWord, ReplacesExactWordsAtEveryDepth) {
    auto root = read("(a (a c (x a)) d A \"a \" aa)");
    root->replaceWord("a", "b");
    EXPECT_EQ(root->getString(), "(b (b c (x b)) d A a  aa)");
    root->replaceWord("b", "");
    EXPECT_EQ(root->getString(), "( ( c (x)) d A a  aa)");
}

TEST_F(ReplaceWord, OnAWordAndFromACellOn) {
    AtomicElement word("keep", 0);
    word.replaceWord("other", "x");
    EXPECT_EQ(word.word, "keep");
    word.replaceWord("keep", "new");
    EXPECT_EQ(word.word, "new");

    auto root = read("(a b a)");
    root->rest()->replaceWord("a", "z");
    EXPECT_EQ(root->getString(), "(a b z)");
}

TEST_F(RestAndTerminalCell, OneElementListEndsInATerminalCell) {
    auto root = read("(only)");
    ListObject* terminal = root->rest();
    ASSERT_NE(terminal, nullptr);
    EXPECT_EQ(terminal->first, nullptr);
    EXPECT_EQ(terminal->next, nullptr);
    EXPECT_EQ(terminal->rest(), nullptr);
    EXPECT_EQ(read("()")->rest(), nullptr);
}

TEST_F(RestAndTerminalCell, AppendWalksToTheTerminalCellAndReturnsTheHead) {
    ListObject list(4);
    EXPECT_EQ(list.append(new AtomicElement("a", 1)), &list);
    ListObject* second = list.rest();
    EXPECT_EQ(second->append(new AtomicElement("b", 1)), second);
    EXPECT_EQ(list.append(new AtomicElement("c", 1)), &list);
    EXPECT_EQ(list.getString(), "(a b c)");
    int count = 0;
    for (ListObject* cell = &list; cell && cell->first; cell = cell->rest())
        ++count;
    EXPECT_EQ(count, 3);
    EXPECT_EQ(list.line, 4);
    EXPECT_EQ(list.rest()->rest()->rest()->line, -1);
}

TEST_F(WordValues, NumbersAreTheStandardConversions) {
    StderrCapture err;
    auto root = read("(12 -7 12abc abc \"  42\" 0.5 x -1e2 (3))");
    std::vector<int32_t> ints;
    std::vector<double> doubles;
    for (ListObject* cell = root.get(); cell && cell->first; cell = cell->rest()) {
        if (cell->first->isAtomic()) {
            ints.push_back(cell->firstInt());
            doubles.push_back(cell->first->getDouble());
        }
    }
    EXPECT_EQ(ints, (std::vector<int32_t>{12, -7, 12, 0, 42, 0, 0, -1}));
    EXPECT_EQ(doubles, (std::vector<double>{12, -7, 12, 0, 42, 0.5, 0, -100}));
    EXPECT_EQ(err.text(), "");
}

TEST_F(WordValues, FirstAccessorsDelegateToTheFirstElement) {
    StderrCapture err;
    auto root = read("((x y) z)");
    EXPECT_EQ(root->getList(), root.get());
    EXPECT_EQ(root->firstList(), root->first.get());
    EXPECT_EQ(root->firstString(), "(x y)");
    EXPECT_EQ(root->firstList()->firstString(), "x");
    EXPECT_EQ(root->rest()->firstString(), "z");
    EXPECT_FALSE(root->isAtomic());
    EXPECT_TRUE(root->rest()->first->isAtomic());
    EXPECT_EQ(err.text(), "");
}

} // namespace
