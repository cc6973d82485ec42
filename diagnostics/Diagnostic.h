#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a problem is about, so that a reader of diagnostics (the check tool) can tell them apart
// without reading their words.
enum class DiagnosticKind {
    ListFile,    // a list file that cannot be read whole (the reader)
    Element,     // an element asked for what it is not (the element model)
    Description, // a description's own rules: its type, its frames, a file it names
    Image,       // an image that cannot be loaded, is refused or is scaled down
    Level,       // a level file or swatch the scan cannot use
    Library,     // what a library wrote on standard error itself
};

// One problem found while reading a level: the file at fault, the line of the entry at fault
// when there is one, its kind, and its text. A diagnostic is written as one line, `where` then
// `text`: `where` is the location as the line gives it ("a.txt: ", "3: ", or "" when the text
// names the file itself), so that a reader that places problems itself takes `text` alone.
struct Diagnostic {
    DiagnosticKind kind = DiagnosticKind::Level;
    std::string file;            // as its reader was given it; "" for none
    std::optional<int32_t> line; // of the entry at fault, counted from 0
    std::string where;
    std::string text;

    // The line as written, without its line feed. Never fails.
    std::string written() const { return where + text; }
};

inline bool operator==(const Diagnostic& a, const Diagnostic& b) {
    return a.kind == b.kind && a.file == b.file && a.line == b.line && a.where == b.where &&
           a.text == b.text;
}
