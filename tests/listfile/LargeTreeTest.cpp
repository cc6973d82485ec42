#include "listfile/AtomicElement.h"
#include "listfile/ListReader.h"
#include "platform/RegularFile.h"
#include "tests/listfile/ListFileTest.h"
#include "tests/listfile/StderrCapture.h"

namespace {

using LargeTrees = ListFileTest;

// Far deeper than any call stack survives when each level takes a frame, and still within
// the largest description file read.
constexpr int deep = 500000;
// Words of three bytes each.
constexpr int wide = 300000;

TEST_F(LargeTrees, DeeplyNestedFileIsReadPrintedEditedAndFreed) {
    std::string text = std::string(deep, '(') + "x" + std::string(deep, ')');
    StderrCapture err;
    auto root = read(text);
    EXPECT_EQ(root->getString(), text);
    root->replaceWord("x", "y");
    ListObject* list = root.get();
    for (int depth = 1; depth < deep; ++depth)
        list = list->firstList();
    EXPECT_EQ(list->firstString(), "y");
    EXPECT_EQ(list->rest()->first, nullptr);
    root.reset();
    EXPECT_EQ(err.text(), "");
}

TEST_F(LargeTrees, UnclosedDeepNestingEndsWithOneLine) {
    std::string path = write(std::string(deep, '('));
    StderrCapture err;
    auto root = readListFile(path, openRegularFile);
    EXPECT_EQ(err.text(), path + ":1: file ends inside an open list\n");
    EXPECT_EQ(root->getString(), std::string(deep - 1, '(') + std::string(deep - 1, ')'));
}

TEST_F(LargeTrees, LongFlatListIsWalkedToTheEnd) {
    std::string text = "(";
    for (int i = 0; i < wide; ++i)
        text += "w" + std::to_string(i % 10) + (i % 1000 == 999 ? "\n" : " ");
    text += ")";
    auto root = read(text);
    int count = 0;
    int lastLine = 0;
    for (ListObject* cell = root.get(); cell && cell->first; cell = cell->rest()) {
        ++count;
        lastLine = static_cast<AtomicElement*>(cell->first.get())->line;
    }
    EXPECT_EQ(count, wide);
    EXPECT_EQ(lastLine, wide / 1000 - 1);
}

// Counts its own destruction, to show that freeing a root reaches every word.
class CountedWord : public AtomicElement {
  public:
    CountedWord(int& alive) : AtomicElement("w", 0), alive_(alive) { ++alive_; }
    ~CountedWord() override { --alive_; }

  private:
    int& alive_;
};

TEST_F(LargeTrees, DestroyingARootFreesEveryWordAtEveryDepth) {
    int alive = 0;
    {
        ListObject root(0);
        ListObject* list = &root;
        for (int depth = 0; depth < 100000; ++depth) {
            list->append(new CountedWord(alive));
            auto* nested = new ListObject(0);
            list->append(nested);
            list->append(new CountedWord(alive));
            list = nested;
        }
        for (int i = 0; i < 100000; ++i)
            list = list->append(new CountedWord(alive))->rest(); // keeps appending cheap
        EXPECT_EQ(alive, 300000);
    }
    EXPECT_EQ(alive, 0);
}

} // namespace
