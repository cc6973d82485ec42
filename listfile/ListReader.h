#pragma once

#include "listfile/ListObject.h"

#include <istream>
#include <memory>
#include <string>

// Line breaks read so far in the current file, counted from 0; reset by each readListFile.
extern int32_t lineNumber;

// Reads a list file into a tree that the caller owns. Never fails: a file that cannot be
// opened, or that ends inside an open list, yields the lists read so far (at least an empty
// root) and one line on standard error naming the path.
std::unique_ptr<ListObject> readListFile(std::string path);

// The list whose opening parenthesis has just been read; the caller owns it. Stops at the
// end of the input.
ListObject* readList(std::istream& in);
// The next token; "" when the input is exhausted.
std::string readToken(std::istream& in);
// The text after an opening quote up to the closing one (consumed), or to the end of input.
std::string readQuoted(std::istream& in);
// Consumes white space and comments, counting line feeds in lineNumber.
void skipSpace(std::istream& in);
