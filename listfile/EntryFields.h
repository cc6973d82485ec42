#pragma once

#include <cstdint>
#include <string>

class ListObject;

// Null-safe steps through the entries of a description file, for values read past the end
// of a short entry such as "(size 3)": a missing value in the list's terminal cell is
// reported by the element model, and reading on past it yields null, 0 or "" silently.

// `rest` of the list; null for null or the terminal cell.
ListObject* restOf(ListObject* list);
// `firstInt` of the list; 0 for null.
int32_t firstIntOf(ListObject* list);
// `firstString` of the list; "" for null.
std::string firstStringOf(ListObject* list);
