#pragma once

#include <cstdint>
#include <string>

class ListObject;

// A node of a parsed list file: a word (AtomicElement) or a list (ListObject). Misusing an
// accessor writes one line to standard error (its words are ElementMisuse's), starting with the
// element's line number, and yields a neutral value (0, 0.0, empty text or null); nothing is
// thrown.
class Element {
  public:
    virtual ~Element() = default;

    virtual bool isAtomic() = 0;
    virtual std::string getString() = 0;
    virtual int32_t getInt() = 0;
    virtual double getDouble() = 0;
    // Borrowed; never destroyed by the caller.
    virtual ListObject* getList() = 0;
    virtual std::string firstString() = 0;
    // Borrowed; never destroyed by the caller.
    virtual ListObject* firstList() = 0;
    virtual void replaceWord(std::string find, std::string replacement) = 0;
};
