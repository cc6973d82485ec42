#pragma once

#include "listfile/ListObject.h"

#include <string>

// The printed form written straight from its definition, recursively, to check the real
// (iterative) one against: J(cell) is the first element's text, then one space and J(next)
// only when J(next) is not empty. Only for shallow trees.
inline std::string referenceJoined(ListObject* cell);

inline std::string referencePrinted(Element* element) {
    if (element->isAtomic())
        return element->getString();
    ListObject* list = element->getList();
    return list->first ? "(" + referenceJoined(list) + ")" : "";
}

inline std::string referenceJoined(ListObject* cell) {
    if (!cell || !cell->first)
        return "";
    const std::string rest = referenceJoined(cell->next.get());
    return referencePrinted(cell->first.get()) + (rest.empty() ? "" : " " + rest);
}
