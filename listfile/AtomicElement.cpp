#include "listfile/AtomicElement.h"

#include "diagnostics/DiagnosticSink.h"
#include "listfile/ElementMisuse.h"

#include <cstdlib>
#include <utility>

namespace {

void report(Misuse misuse, int32_t line, const std::string& word) {
    standardError().report(elementMisuse(misuse, line, word));
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
    report(Misuse::GetList, line, word);
    return nullptr;
}

std::string AtomicElement::firstString() {
    report(Misuse::FirstStringOfWord, line, word);
    return std::string();
}

ListObject* AtomicElement::firstList() {
    report(Misuse::FirstListOfWord, line, word);
    return nullptr;
}

void AtomicElement::replaceWord(std::string find, std::string replacement) {
    if (word == find)
        word = std::move(replacement);
}
