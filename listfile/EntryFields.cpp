#include "listfile/EntryFields.h"

#include "listfile/ListObject.h"

ListObject* restOf(ListObject* list) {
    return list ? list->rest() : nullptr;
}

int32_t firstIntOf(ListObject* list) {
    return list ? list->firstInt() : 0;
}

std::string firstStringOf(ListObject* list) {
    return list ? list->firstString() : std::string();
}
