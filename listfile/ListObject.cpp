#include "listfile/ListObject.h"

#include "listfile/AtomicElement.h"

#include "diagnostics/DiagnosticSink.h"
#include "listfile/ElementMisuse.h"

#include <utility>
#include <vector>

namespace {

void report(Misuse misuse, int32_t line) {
    standardError().report(elementMisuse(misuse, line));
}

// Every element is a word or a list; lists are told apart without a dynamic cast.
ListObject* asList(Element* element) {
    return element->isAtomic() ? nullptr : static_cast<ListObject*>(element);
}

// Whether the element prints as something: a non-empty list or a non-empty word.
bool printsText(Element* element) {
    if (ListObject* list = asList(element))
        return list->first != nullptr;
    return !static_cast<AtomicElement*>(element)->word.empty();
}

// The cell holding the last element that prints as something, or null if there is none.
// Separators stop there: a space is written before an element only when something
// non-empty follows it.
ListObject* lastPrinted(ListObject* cell) {
    ListObject* last = nullptr;
    for (; cell && cell->first; cell = cell->next.get())
        if (printsText(cell->first.get()))
            last = cell;
    return last;
}

} // namespace

ListObject::ListObject(int32_t line) : line(line) {}

ListObject::~ListObject() {
    // Detach everything below this cell onto a work list and free it piece by piece, so
    // neither the chain nor the nesting deepens the call stack. Each piece is stripped of
    // its own children first, so its destructor has nothing left to do.
    if (!first && !next)
        return;
    // Elements are taken before the cells behind them: pieces are then freed roughly in the
    // order they were made, and the work list stays as short as the nesting is deep.
    std::vector<std::unique_ptr<Element>> pending;
    if (next)
        pending.push_back(std::move(next));
    if (first)
        pending.push_back(std::move(first));
    while (!pending.empty()) {
        std::unique_ptr<Element> element = std::move(pending.back());
        pending.pop_back();
        if (ListObject* list = asList(element.get())) {
            if (list->next)
                pending.push_back(std::move(list->next));
            if (list->first)
                pending.push_back(std::move(list->first));
        }
    }
}

bool ListObject::isAtomic() {
    return false;
}

std::string ListObject::getString() {
    if (!first)
        return std::string();
    struct Open {
        ListObject* cell; // next cell to print, null once the list is done
        ListObject* last; // cell of the last element that prints as something
        bool started;
    };
    std::string text = "(";
    std::vector<Open> open{{this, lastPrinted(this), false}};
    while (!open.empty()) {
        Open& top = open.back();
        if (!top.cell || !top.last) {
            text += ')';
            open.pop_back();
            continue;
        }
        ListObject* cell = top.cell;
        top.cell = cell == top.last ? nullptr : cell->next.get();
        if (top.started)
            text += ' ';
        top.started = true;
        Element* element = cell->first.get();
        if (ListObject* list = asList(element)) {
            if (list->first) {
                text += '(';
                open.push_back({list, lastPrinted(list), false});
            }
        } else {
            text += static_cast<AtomicElement*>(element)->word;
        }
    }
    return text;
}

int32_t ListObject::getInt() {
    report(Misuse::GetInt, line);
    return 0;
}

double ListObject::getDouble() {
    report(Misuse::GetDouble, line);
    return 0.0;
}

ListObject* ListObject::getList() {
    return this;
}

std::string ListObject::firstString() {
    if (!first) {
        report(Misuse::FirstString, line);
        return std::string();
    }
    return first->getString();
}

ListObject* ListObject::firstList() {
    if (!first) {
        report(Misuse::FirstList, line);
        return nullptr;
    }
    return first->getList();
}

void ListObject::replaceWord(std::string find, std::string replacement) {
    // Lists still to visit; words are changed in place as the walk meets them.
    std::vector<ListObject*> lists{this};
    while (!lists.empty()) {
        ListObject* cell = lists.back();
        lists.pop_back();
        for (; cell && cell->first; cell = cell->next.get()) {
            Element* element = cell->first.get();
            if (ListObject* list = asList(element)) {
                lists.push_back(list);
            } else {
                auto* atom = static_cast<AtomicElement*>(element);
                if (atom->word == find)
                    atom->word = replacement;
            }
        }
    }
}

ListObject* ListObject::append(Element* element) {
    ListObject* cell = this;
    while (cell->first) {
        if (!cell->next) // only a hand-built cell lacks its terminal cell
            cell->next = std::make_unique<ListObject>(-1);
        cell = cell->next.get();
    }
    cell->first.reset(element);
    cell->next = std::make_unique<ListObject>(-1);
    return this;
}

ListObject* ListObject::rest() {
    return next.get();
}

int32_t ListObject::firstInt() {
    if (!first) {
        report(Misuse::FirstInt, line);
        return 0;
    }
    return first->getInt();
}
