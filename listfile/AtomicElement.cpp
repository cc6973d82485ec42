#include "listfile/AtomicElement.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

void report(int32_t line, const char* text, const std::string& word) {
    std::cerr << line << text << word << std::endl;
}

} // namespace

AtomicElement::AtomicElement(std::string word, int32_t line) : word(std::move(word)), line(line) {}

bool AtomicElement::isAtomic() {
    return true;
}

std::string AtomicElement::getString() {
    return word;
}

int32_t AtomicElement::getInt() {
    return std::atoi(word.c_str());
}

double AtomicElement::getDouble() {
    return std::atof(word.c_str());
}

ListObject* AtomicElement::getList() {
    report(line, ": Attempt to getList on atomic element: ", word);
    return nullptr;
}

std::string AtomicElement::firstString() {
    report(line, ": Attempt to firstString on atomic element: ", word);
    return std::string();
}

ListObject* AtomicElement::firstList() {
    report(line, ": Attempt to firstList on atomic element: ", word);
    return nullptr;
}

void AtomicElement::replaceWord(std::string find, std::string replacement) {
    if (word == find)
        word = std::move(replacement);
}
