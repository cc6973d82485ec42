// Reads arbitrary bytes as a list file, queries every element of the tree, and checks what
// must hold for any input: the chains end in terminal cells, a file and the same bytes in
// memory give the same tree, and the printed form follows its definition.

#include "listfile/AtomicElement.h"
#include "listfile/ListReader.h"
#include "platform/RegularFile.h"
#include "tests/listfile/ReferencePrint.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Diagnostics are expected for most inputs; they go nowhere so the fuzzer's own output
// stays readable.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "list file check failed: %s\n", what);
        std::abort();
    }
}

const std::string& inputPath() {
    static const std::string path = "/tmp/listfile-fuzz-" + std::to_string(getpid()) + ".txt";
    return path;
}

void removeInput() {
    std::remove(inputPath().c_str());
}

// The tree in pre-order with every line, built without recursion.
std::string signature(ListObject* root) {
    std::string text;
    std::vector<ListObject*> cells{root};
    while (!cells.empty()) {
        ListObject* cell = cells.back();
        cells.pop_back();
        text += "[" + std::to_string(cell->line);
        if (!cell->first) {
            check(!cell->next, "terminal cell has no next cell");
            text += "]";
            continue;
        }
        check(cell->next != nullptr, "cell with an element has a next cell");
        cells.push_back(cell->next.get());
        if (cell->first->isAtomic()) {
            auto* atom = static_cast<AtomicElement*>(cell->first.get());
            text += std::to_string(atom->line) + ":" + std::to_string(atom->word.size()) + ":" +
                    atom->word;
        } else {
            cells.push_back(cell->first->getList());
        }
    }
    return text;
}

int depthOf(ListObject* root) {
    int deepest = 0;
    std::vector<std::pair<ListObject*, int>> lists{{root, 0}};
    while (!lists.empty()) {
        auto [cell, depth] = lists.back();
        lists.pop_back();
        deepest = std::max(deepest, depth);
        for (; cell && cell->first; cell = cell->rest())
            if (!cell->first->isAtomic())
                lists.push_back({cell->first->getList(), depth + 1});
    }
    return deepest;
}

// Every query on every cell and element, as the sprite loaders might make them.
void queryAll(ListObject* root) {
    std::vector<ListObject*> lists{root};
    std::size_t printedBudget = 1 << 20;
    while (!lists.empty()) {
        ListObject* cell = lists.back();
        lists.pop_back();
        for (; cell; cell = cell->rest()) {
            check(!cell->isAtomic(), "a cell is a list");
            check(cell->getList() == cell, "getList of a list is the list");
            cell->getInt();
            cell->getDouble();
            cell->firstInt();
            std::string first = cell->firstString();
            ListObject* firstList = cell->firstList();
            if (!cell->first) {
                check(first.empty() && !firstList, "empty list yields neutral values");
                break;
            }
            if (printedBudget > 0) {
                std::size_t length = cell->getString().size();
                printedBudget -= std::min(printedBudget, length);
            }
            Element* element = cell->first.get();
            if (element->isAtomic()) {
                check(element->getString() == first, "firstString is the word");
                check(!firstList && !element->getList() && !element->firstList(),
                      "a word has no list");
                element->getInt();
                element->getDouble();
                check(element->firstString().empty(), "firstString of a word is empty");
            } else {
                check(firstList == element, "firstList is the nested list");
                lists.push_back(firstList);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static NullBuffer nothing;
    std::cerr.rdbuf(&nothing);
    std::atexit(removeInput);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::FILE* file = std::fopen(inputPath().c_str(), "wb");
        if (!file)
            return 0;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    std::unique_ptr<ListObject> root = readListFile(inputPath(), openRegularFile);
    int32_t lastLine = lineNumber;
    check(root != nullptr, "a root is always returned");

    // The same bytes from memory must give the same tree and end on the same line.
    lineNumber = 0;
    ListInput in = ListInput::fromText(bytes);
    readToken(in);
    std::unique_ptr<ListObject> again = readList(in);
    std::string expected = signature(root.get());
    check(signature(again.get()) == expected, "file and memory give the same tree");
    check(lineNumber == lastLine, "file and memory end on the same line");

    if (depthOf(root.get()) < 200)
        check(root->getString() == referencePrinted(root.get()),
              "printed form follows its definition");
    queryAll(root.get());

    // Replacing a word with itself changes nothing; replacing every word is seen everywhere.
    if (root->first && root->first->isAtomic()) {
        std::string word = root->first->getString();
        root->replaceWord(word, word);
        check(signature(root.get()) == expected, "replacing a word with itself");
        root->replaceWord(word, word + "#");
        check(root->firstString() == word + "#", "replaced word");
    }
    return 0;
}
