#include "listfile/Description.h"

#include "listfile/AtomicElement.h"
#include "listfile/ElementMisuse.h"
#include "listfile/ListObject.h"
#include "listfile/ListReader.h"

#include <cstdlib>

namespace {

// Sums wrap instead of overflowing: absurd "time" values give an odd animation, never
// undefined arithmetic.
int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// A "time" value as atoi reads it. Never reported: a list there, or no value at all, is 0.
int32_t timeOf(ListObject* value) {
    if (!value || !value->first)
        return 0;
    return std::atoi(value->first->getString().c_str());
}

// The walk of a description's entries, with the element model's accessors as the sprites
// used them, their misuse reported through the walk's sink instead of on standard error.
class Walk {
  public:
    Walk(const std::string& name, DescriptionBuilder& builder, DiagnosticSink& sink,
         Description& model)
        : name_(name), builder_(builder), sink_(sink), model_(model) {}

    // Keeps and passes on a problem met.
    void report(Diagnostic diagnostic) {
        model_.problems.push_back(diagnostic);
        sink_.report(model_.problems.back());
    }

    void animation(ListObject* entries);
    void showOne(ListObject* entries);

  private:
    // Calls `each(key, entry)` for each list of `cells` that holds an element, in order, its
    // first element read as a word: the shape of a description's entries and of their items.
    template <typename Each>
    void eachEntry(ListObject* cells, Each each) {
        for (ListObject* cell = cells; cell && cell->first; cell = cell->rest()) {
            ListObject* entry = listIn(cell);
            if (entry && entry->first)
                each(entry->first->getString(), entry);
        }
    }
    // `entryLine` places a misuse of an element without a line of its own (a terminal cell).
    void misuse(Misuse what, int32_t line, int32_t entryLine, const std::string& word = "") {
        Diagnostic diagnostic = elementMisuse(what, line, word);
        diagnostic.file = name_;
        diagnostic.line = line >= 0 ? line : entryLine;
        report(std::move(diagnostic));
    }
    // cell->firstList() of a cell that holds an element.
    ListObject* listIn(ListObject* cell) {
        Element* element = cell->first.get();
        if (!element->isAtomic())
            return static_cast<ListObject*>(element);
        auto* word = static_cast<AtomicElement*>(element);
        misuse(Misuse::GetList, word->line, word->line, word->word);
        return nullptr;
    }
    // The first element of `cell` as a word: "" for null, reported for the terminal cell.
    std::string stringIn(ListObject* cell, int32_t entryLine) {
        if (!cell)
            return "";
        if (!cell->first) {
            misuse(Misuse::FirstString, cell->line, entryLine);
            return "";
        }
        return cell->first->getString();
    }
    // The first element of `cell` as a number: 0 for null, reported for the terminal cell and
    // for a list.
    int32_t intIn(ListObject* cell, int32_t entryLine) {
        if (!cell)
            return 0;
        if (!cell->first) {
            misuse(Misuse::FirstInt, cell->line, entryLine);
            return 0;
        }
        if (!cell->first->isAtomic()) {
            misuse(Misuse::GetInt, static_cast<ListObject*>(cell->first.get())->line, entryLine);
            return 0;
        }
        return cell->first->getInt();
    }
    size_t request(ListObject* item, const char* role, NamedResult& result) {
        const std::string file = stringIn(item->rest(), item->line);
        result = builder_.request(file, item->line, role);
        lastFile_ = file;
        return requests_++;
    }

    const std::string& name_;
    DescriptionBuilder& builder_;
    DiagnosticSink& sink_;
    Description& model_;
    size_t requests_ = 0;
    std::string lastFile_;
};

void Walk::animation(ListObject* entries) {
    // One record for the whole file: an entry without "filename" or "time" repeats the
    // previous frame's picture or start.
    Description::Frame record;
    NamedResult recorded = NamedResult::Nothing;
    eachEntry(entries, [&](const std::string& key, ListObject* entry) {
        if (key == "loop") {
            model_.loop = true;
            return;
        }
        if (key != "sprite")
            return;
        model_.hasSpriteEntry = true;
        const int32_t startBefore = record.start;
        const int32_t durationBefore = model_.duration;
        eachEntry(entry->rest(), [&](const std::string& itemKey, ListObject* item) {
            if (itemKey == "filename") {
                record.request = request(item, "frame", recorded);
                record.file = lastFile_;
                record.line = item->line;
            } else if (itemKey == "time") {
                record.start = model_.duration;
                model_.duration = wrappingAdd(model_.duration, timeOf(item->rest()));
            }
        });
        if (recorded == NamedResult::Unloaded) {
            // The animation plays the frames it has: one that cannot be loaded is left out
            // with its time, rather than shown as an empty frame in every loop.
            record.start = startBefore;
            model_.duration = durationBefore;
        } else {
            model_.frames.push_back(record);
        }
    });
    if (!model_.hasSpriteEntry)
        report({DiagnosticKind::Description,
                name_,
                {},
                "",
                "Malformed animated sprites file: " + name_});
}

void Walk::showOne(ListObject* entries) {
    eachEntry(entries, [&](const std::string& key, ListObject* entry) {
        if (key == "size") {
            model_.width = static_cast<uint16_t>(intIn(entry->rest(), entry->line));
            ListObject* value = entry->rest();
            model_.height =
                static_cast<uint16_t>(intIn(value ? value->rest() : nullptr, entry->line));
            return;
        }
        if (key != "sprite")
            return;
        // The part its last "filename" names, with the origins given after it.
        Description::Part part;
        NamedResult made = NamedResult::Nothing;
        eachEntry(entry->rest(), [&](const std::string& itemKey, ListObject* item) {
            if (itemKey == "filename") {
                part.request = request(item, "part", made);
                part.file = lastFile_;
                part.line = item->line;
            } else if (itemKey == "origin" && made != NamedResult::Nothing) {
                ListObject* value = item->rest();
                const int32_t x = intIn(value, item->line);
                const int32_t y = intIn(value ? value->rest() : nullptr, item->line);
                builder_.origin(static_cast<int16_t>(x), static_cast<int16_t>(y));
            }
        });
        model_.parts.push_back(part);
    });
}

} // namespace

Description readDescription(const std::string& name, const ListFileOpener& open,
                            DescriptionBuilder& builder, DiagnosticSink& sink) {
    Description model;
    Walk walk(name, builder, sink, model);
    // The reader's problems are the model's first.
    class Kept : public DiagnosticSink {
      public:
        explicit Kept(Walk& walk) : walk_(walk) {}
        void report(const Diagnostic& diagnostic) override { walk_.report(diagnostic); }

      private:
        Walk& walk_;
    } kept(walk);
    std::unique_ptr<ListObject> root = readListFile(name, open, kept);
    builder.named(namedFiles(root.get()));
    // An empty file has no type word; it is an unknown type, without the element model's
    // report on the empty list.
    model.typeWord = root->first ? root->first->getString() : std::string();
    if (model.typeWord == "animated") {
        model.type = Description::Type::Animated;
        walk.animation(root->rest());
    } else if (model.typeWord == "showone") {
        model.type = Description::Type::ShowOne;
        walk.showOne(root->rest());
    } else {
        walk.report({DiagnosticKind::Description,
                     name,
                     {},
                     "",
                     "Sprite type " + model.typeWord + " unknown."});
    }
    return model;
}

FrameSizes compareFrameSizes(const std::vector<std::optional<std::pair<int, int>>>& sizes) {
    FrameSizes compared;
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (!sizes[i])
            continue;
        if (!compared.first)
            compared.first = i;
        else if (*sizes[i] != *sizes[*compared.first])
            compared.differing.push_back(i);
    }
    return compared;
}
