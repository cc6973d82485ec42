#include "listfile/AtomicElement.h"
#include "listfile/ListReader.h"
#include "platform/RegularFile.h"
#include "tests/listfile/ListFileTest.h"
#include "tests/listfile/StderrCapture.h"

#include <sys/stat.h>

namespace {

using BrokenFiles = ListFileTest;
using EmptyListQueries = ListFileTest;

// What the sprite loader asks of any root at once: its type and which elements are lists.
struct Queried {
    std::string type; // the root's first word
    int lists = 0;    // elements after it that are lists
};
Queried queryLikeTheLoader(ListObject* root) {
    Queried queried{root->firstString()};
    for (ListObject* cell = root->rest(); cell && cell->first; cell = cell->rest())
        queried.lists += cell->firstList() != nullptr;
    return queried;
}

TEST_F(BrokenFiles, MissingFileReadsAsAnEmptyListWithOneLine) {
    std::string path = folder() + "/absent.txt";
    StderrCapture err;
    auto root = readListFile(path, openRegularFile);
    EXPECT_EQ(err.text(), "Unable to open list file " + path + "\n");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->first, nullptr);
    EXPECT_EQ(root->rest(), nullptr);
    EXPECT_EQ(lineNumber, 0);
}

TEST_F(BrokenFiles, SpecialAndOversizedFilesAreRefusedUnreadWithOneLine) {
    // A FIFO with no writer would block an ordinary open for ever.
    const std::string fifo = folder() + "/pipe.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = write(std::string(maxListFileBytes + 1, 'x'));
    const std::pair<std::string, std::string> cases[] = {
        {folder(), "not a regular file"},
        {fifo, "not a regular file"},
        {big, "1048577 bytes, more than a description file may hold (1048576 at most)"}};
    for (const auto& [path, why] : cases) {
        StderrCapture err;
        auto root = readListFile(path, openRegularFile);
        EXPECT_EQ(err.text(), path + ": " + why + "\n");
        EXPECT_EQ(root->first, nullptr);
    }
}

TEST_F(BrokenFiles, FilesWithoutAnyTokenSayTheyHoldNoList) {
    for (std::string text : {"", "  \n\t", "; only\n;comments\n"}) {
        std::string path = write(text);
        StderrCapture err;
        auto root = readListFile(path, openRegularFile);
        EXPECT_EQ(err.text(), path + ": file holds no list\n") << text;
        EXPECT_EQ(root->first, nullptr);
        EXPECT_EQ(root->line, lineNumber);
    }
}

TEST_F(BrokenFiles, InputEndingInsideListsKeepsWhatWasReadAndNamesWhereTheInnermostOpened) {
    struct Case {
        std::string text, printed;
        int line; // where the innermost list left open began, counted from 1
    };
    for (const Case& c : std::vector<Case>{{"(a (b (c", "(a (b (c)))", 1},
                                           {"(a \"bc d)", "(a bc d))", 1},
                                           {"(a ; comment )", "(a)", 1},
                                           {"(", "", 1},
                                           {")", "", 1},
                                           {"((", "()", 1},
                                           {"\"unclosed", "", 1},
                                           {"(a\n (b)\n (c\n  d", "(a (b) (c d))", 3},
                                           {"(a\n (b\n  c)\n", "(a (b c))", 1},
                                           {"\n\n(a (b)", "(a (b))", 3}}) {
        std::string path = write(c.text);
        StderrCapture err;
        auto root = readListFile(path, openRegularFile);
        EXPECT_EQ(err.text(),
                  path + ":" + std::to_string(c.line) + ": file ends inside an open list\n")
            << c.text;
        EXPECT_EQ(root->getString(), c.printed) << c.text;
    }
}

TEST_F(BrokenFiles, EveryBrokenRootCanBeQueriedAtOnce) {
    // An empty root has no type: the query says so on the line reached, and nothing else.
    const std::string noType = ": Attempt to firstString on empty list\n";
    struct Case {
        std::string text, type;
        int lists;
        std::string printed;
    };
    for (const Case& c : std::vector<Case>{{"", "", 0, "0" + noType},
                                           {";", "", 0, "1" + noType},
                                           {"(", "", 0, "0" + noType},
                                           {"\"", "", 0, "0" + noType},
                                           {"x", "", 0, "0" + noType},
                                           {"(a", "a", 0, ""},
                                           {"((a) (b", "(a)", 1, ""}}) {
        auto root = read(c.text);
        StderrCapture err;
        const Queried queried = queryLikeTheLoader(root.get());
        EXPECT_EQ(queried.type, c.type) << c.text;
        EXPECT_EQ(queried.lists, c.lists) << c.text;
        EXPECT_EQ(err.text(), c.printed) << c.text;
    }
    auto absent = readListFile(folder() + "/absent.txt", openRegularFile);
    StderrCapture err;
    EXPECT_EQ(queryLikeTheLoader(absent.get()).type, "");
    EXPECT_EQ(err.text(), "0" + noType);
}

TEST_F(EmptyListQueries, YieldNeutralValuesAndOneLineEach) {
    auto root = read("(\n() x)");
    ListObject* empty = root->firstList();
    ListObject* terminal = root->rest()->rest();
    StderrCapture err;
    EXPECT_EQ(empty->firstString(), "");
    EXPECT_EQ(empty->firstList(), nullptr);
    EXPECT_EQ(empty->firstInt(), 0);
    EXPECT_EQ(terminal->firstString(), "");
    EXPECT_EQ(err.text(), "1: Attempt to firstString on empty list\n"
                          "1: Attempt to firstList on empty list\n"
                          "1: Attempt to firstInt on empty list\n"
                          "-1: Attempt to firstString on empty list\n");
}

} // namespace
