#include "tests/listfile/ListFileTest.h"

#include "listfile/AtomicElement.h"
#include "listfile/ListReader.h"
#include "platform/RegularFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

ListFileTest::ListFileTest() {
    char name[] = "/tmp/listfile-test-XXXXXX";
    if (!mkdtemp(name))
        throw std::runtime_error("cannot create a temporary folder");
    folder_ = name;
}

ListFileTest::~ListFileTest() {
    std::filesystem::remove_all(folder_);
}

std::string ListFileTest::write(const std::string& bytes, const std::string& name) {
    std::string path = folder_ + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

std::unique_ptr<ListObject> ListFileTest::read(const std::string& bytes) {
    return readListFile(write(bytes), openRegularFile);
}

std::string ListFileTest::describe(ListObject* list) {
    std::string text = "[" + std::to_string(list->line);
    for (ListObject* cell = list; cell && cell->first; cell = cell->rest()) {
        text += ' ';
        Element* element = cell->first.get();
        if (element->isAtomic()) {
            auto* atom = static_cast<AtomicElement*>(element);
            text += atom->word + "@" + std::to_string(atom->line);
        } else {
            text += describe(element->getList());
        }
    }
    return text + "]";
}
