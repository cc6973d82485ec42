#include "listfile/AtomicElement.h"
#include "listfile/ListReader.h"
#include "tests/listfile/ListFileTest.h"
#include "tests/listfile/StderrCapture.h"

namespace {

using Diagnostics = ListFileTest;

TEST_F(Diagnostics, WordsAskedForListsNameTheirLineAndWord) {
    auto root = read("(\n\n\n  frames (a))");
    AtomicElement* word = static_cast<AtomicElement*>(root->first.get());
    StderrCapture err;
    EXPECT_EQ(word->getList(), nullptr);
    EXPECT_EQ(word->firstString(), "");
    EXPECT_EQ(word->firstList(), nullptr);
    // On a list whose first element is a word, firstList reports that word's getList.
    EXPECT_EQ(root->firstList(), nullptr);
    EXPECT_EQ(err.text(), "3: Attempt to getList on atomic element: frames\n"
                          "3: Attempt to firstString on atomic element: frames\n"
                          "3: Attempt to firstList on atomic element: frames\n"
                          "3: Attempt to getList on atomic element: frames\n");
}

TEST_F(Diagnostics, ListsAskedForNumbersNameTheirLine) {
    auto root = read("((a)\n (b) c)");
    StderrCapture err;
    EXPECT_EQ(root->getInt(), 0);
    EXPECT_EQ(root->getDouble(), 0.0);
    EXPECT_EQ(root->firstInt(), 0);
    EXPECT_EQ(root->rest()->firstInt(), 0);
    // Cells reached with rest were made by append.
    EXPECT_EQ(root->rest()->getInt(), 0);
    EXPECT_EQ(err.text(), "0: Attempt to get int from list object\n"
                          "0: Attempt to get double from list object\n"
                          "0: Attempt to get int from list object\n"
                          "1: Attempt to get int from list object\n"
                          "-1: Attempt to get int from list object\n");
}

TEST_F(Diagnostics, WordsWithAnyBytesAreWrittenWhole) {
    std::string word("a b\0\xff", 5);
    AtomicElement element(word, 12);
    StderrCapture err;
    element.getList();
    EXPECT_EQ(err.text(), "12: Attempt to getList on atomic element: " + word + "\n");
}

} // namespace
