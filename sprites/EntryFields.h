#pragma once

#include <cstdint>
#include <string>

class ListObject;

// Null-safe steps through the entries of a description file. A key or value that is missing
// (the list ended early) reads as null, 0 or "" without a message, so short entries such as
// "(size)" or "(origin 3)" never reach past the terminal cell.

// `rest` of the list; null for null or the terminal cell.
ListObject* restOf(ListObject* list);
// `firstInt` of the list; 0 for null.
int32_t firstIntOf(ListObject* list);
// `firstString` of the list; "" for null.
std::string firstStringOf(ListObject* list);
// `firstList` of the list (a word there is reported by the element model); null for null.
ListObject* firstListOf(ListObject* list);
