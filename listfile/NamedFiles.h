#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ListObject;

// A file a description names: the word after "filename", and the line (counted from 0) of
// the list that holds it.
struct NamedFile {
    std::string path;
    int32_t line;
};

// Every "filename" list's word anywhere in a description's tree, in the order they are
// written, repeats included. Reads the tree without the element model's accessors, so that
// nothing is reported here that the sprites built from it will report. Never fails.
std::vector<NamedFile> namedFiles(ListObject* root);
