#pragma once

#include "listfile/Element.h"

#include <memory>

// A cell of a singly linked list; a pointer to any cell is the list from that cell on. The
// terminal cell has neither `first` nor `next`, so the empty list is one terminal cell.
// Each cell owns its element and the cells behind it. Printing, replacing words and
// destruction work through explicit stacks, so trees of any depth or length are safe.
class ListObject : public Element {
  public:
    explicit ListObject(int32_t line);
    ~ListObject() override;
    ListObject(const ListObject&) = delete;
    ListObject& operator=(const ListObject&) = delete;

    bool isAtomic() override;
    std::string getString() override; // the printed form; "" for the empty list
    int32_t getInt() override;        // reports, yields 0
    double getDouble() override;      // reports, yields 0.0
    ListObject* getList() override;   // this cell
    // The first element's; on the empty list reports and yields "".
    std::string firstString() override;
    // The first element's; on the empty list reports and yields null.
    ListObject* firstList() override;
    void replaceWord(std::string find, std::string replacement) override;

    // Stores the element (taking ownership) in the terminal cell found by walking from this
    // cell, hangs a new terminal cell (line -1) behind it, and returns this cell.
    ListObject* append(Element* element);
    // The list without its first element, borrowed; null only for the terminal cell.
    ListObject* rest();
    // The first element's getInt; on the empty list reports and yields 0.
    int32_t firstInt();

    std::unique_ptr<Element> first;
    std::unique_ptr<ListObject> next;
    int32_t line;
};
