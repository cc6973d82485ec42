#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "listfile/ListInput.h"
#include "listfile/ListObject.h"

#include <memory>
#include <string>

// Line breaks read so far in the current file, counted from 0; reset by each readListFile.
// Stops at its largest value instead of overflowing.
extern int32_t lineNumber;

// Real description files are a few kilobytes; readListFile refuses larger ones unread.
constexpr long long maxListFileBytes = 1 << 20;

// Reads a list file, opened with `open`, into a tree that the caller owns. Never fails and
// always returns a list: a file that cannot be opened or read, that `open` refuses (no
// regular file) or larger than maxListFileBytes, that holds no token, or that ends inside an
// open list yields the lists read so far (at least an empty root) and one diagnostic to `sink`
// naming the path (for an open list, "<path>:<line>: file ends inside an open list", the line the
// innermost list left open began on, counted from 1). Nesting of any depth is read without
// deepening the call stack.
std::unique_ptr<ListObject> readListFile(std::string path, const ListFileOpener& open,
                                         DiagnosticSink& sink = standardError());

// The list whose opening parenthesis has just been read; the caller owns it. At the end of
// the input it closes every open list and reports one diagnostic naming the input and the line
// the innermost of them opened on.
std::unique_ptr<ListObject> readList(ListInput& in, DiagnosticSink& sink = standardError());
// The next token; "" when the input is exhausted (and for empty quoted text).
std::string readToken(ListInput& in);
// The text after an opening quote up to the closing one (consumed), or to the end of input.
std::string readQuoted(ListInput& in);
// Consumes white space and comments, counting line feeds in lineNumber.
void skipSpace(ListInput& in);
