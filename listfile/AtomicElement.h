#pragma once

#include "listfile/Element.h"

// A word of a list file, with the line (counted from 0) it was read on.
class AtomicElement : public Element {
  public:
    AtomicElement(std::string word, int32_t line);

    bool isAtomic() override;
    std::string getString() override;
    int32_t getInt() override;          // atoi of the word; never reports
    double getDouble() override;        // atof of the word; never reports
    ListObject* getList() override;     // reports, yields null
    std::string firstString() override; // reports, yields ""
    ListObject* firstList() override;   // reports, yields null
    void replaceWord(std::string find, std::string replacement) override;

    std::string word;
    int32_t line;
};
