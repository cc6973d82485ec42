#include "listfile/NamedFiles.h"

#include "listfile/AtomicElement.h"
#include "listfile/ListObject.h"

#include <memory>

namespace {

const std::string* wordOf(const std::unique_ptr<Element>& element) {
    return element && element->isAtomic() ? &static_cast<AtomicElement*>(element.get())->word
                                          : nullptr;
}

} // namespace

std::vector<NamedFile> namedFiles(ListObject* root) {
    std::vector<NamedFile> named;
    // An explicit stack: descriptions of any depth are walked without deepening the call stack.
    std::vector<ListObject*> lists = {root};
    while (!lists.empty()) {
        ListObject* list = lists.back();
        lists.pop_back();
        const std::string* key = wordOf(list->first);
        const std::string* name = key && list->next ? wordOf(list->next->first) : nullptr;
        if (name && *key == "filename")
            named.push_back({*name, list->line});
        // Pushed last to first, so that the lists are visited in the order they are written.
        std::vector<ListObject*> inner;
        for (ListObject* cell = list; cell && cell->first; cell = cell->next.get()) {
            if (!cell->first->isAtomic())
                inner.push_back(static_cast<ListObject*>(cell->first.get()));
        }
        lists.insert(lists.end(), inner.rbegin(), inner.rend());
    }
    return named;
}
