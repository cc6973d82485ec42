#include "listfile/ListReader.h"

#include "listfile/AtomicElement.h"

#include <limits>
#include <utility>
#include <vector>

int32_t lineNumber = 0;

namespace {

enum CharClass : unsigned char { Word, Space, Comment, Paren, Quote };

constexpr CharClass classOf(int c) {
    switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return Space;
    case ';':
        return Comment;
    case '(':
    case ')':
        return Paren;
    case '"':
        return Quote;
    default:
        return Word;
    }
}

struct ClassTable {
    CharClass of[256];
    constexpr ClassTable() : of() {
        for (int c = 0; c < 256; ++c)
            of[c] = classOf(c);
    }
};
constexpr ClassTable classes;

void countLine() {
    if (lineNumber < std::numeric_limits<int32_t>::max())
        ++lineNumber;
}

void appendQuoted(ListInput& in, std::string& text) {
    for (int c = in.get(); c >= 0 && c != '"'; c = in.get())
        text.push_back(static_cast<char>(c));
}

// Reads the next token into `token`; false when the input is exhausted. Unlike readToken,
// this tells empty quoted text from the end of the input. `quoted` tells quoted text, which
// is never a parenthesis, whatever it holds.
bool nextToken(ListInput& in, std::string& token, bool& quoted) {
    token.clear();
    quoted = false;
    skipSpace(in);
    int c = in.get();
    if (c < 0)
        return false;
    for (;;) {
        if (c == '"') {
            // A quote inside a word drops what the word had gathered.
            token.clear();
            appendQuoted(in, token);
            quoted = true;
            return true;
        }
        token.push_back(static_cast<char>(c));
        if (c == '(' || c == ')')
            return true;
        c = in.get();
        if (c < 0)
            return true;
        CharClass cls = classes.of[c];
        if (cls == Space || cls == Comment || cls == Paren) {
            in.unget();
            return true;
        }
    }
}

// `where` is the location as the line gives it: "<path>: ", or "" when the text names the file.
void report(DiagnosticSink& sink, const std::string& file, const std::string& where,
            const std::string& text) {
    sink.report({DiagnosticKind::ListFile, file, {}, where, text});
}

} // namespace

void skipSpace(ListInput& in) {
    for (;;) {
        int c = in.get();
        if (c < 0)
            return;
        switch (classes.of[c]) {
        case Space:
            if (c == '\n')
                countLine();
            break;
        case Comment:
            do
                c = in.get();
            while (c >= 0 && c != '\n');
            countLine();
            break;
        default:
            in.unget();
            return;
        }
    }
}

std::string readQuoted(ListInput& in) {
    std::string text;
    appendQuoted(in, text);
    return text;
}

std::string readToken(ListInput& in) {
    std::string token;
    bool quoted = false;
    nextToken(in, token, quoted);
    return token;
}

std::unique_ptr<ListObject> readList(ListInput& in, DiagnosticSink& sink) {
    auto root = std::make_unique<ListObject>(lineNumber);
    // The terminal cell of each open list, innermost last: appending there keeps reading
    // linear, and the explicit stack keeps deep nesting off the call stack.
    std::vector<ListObject*> tails{root.get()};
    // The line each open list opened on, for the line that names the innermost one left open.
    std::vector<int32_t> opened{root->line};
    std::string token;
    bool quoted = false;
    for (;;) {
        if (!nextToken(in, token, quoted)) {
            if (in.failed())
                report(sink, in.name(), "", "Unable to read list file " + in.name());
            else
                // Counted from 1, as the other lines that name a line of a description.
                sink.report({DiagnosticKind::ListFile, in.name(), opened.back(),
                             in.name() + ":" + std::to_string(int64_t(opened.back()) + 1) + ": ",
                             "file ends inside an open list"});
            return root;
        }
        // Only the first byte of unquoted text decides; quoted text is always a word.
        char kind = quoted || token.empty() ? '\0' : token[0];
        if (kind == ')') {
            tails.pop_back();
            opened.pop_back();
            if (tails.empty())
                return root;
            continue;
        }
        ListObject* tail = tails.back();
        if (kind == '(') {
            auto* nested = new ListObject(lineNumber);
            tail->append(nested);
            tails.back() = tail->next.get();
            tails.push_back(nested);
            opened.push_back(lineNumber);
        } else {
            tail->append(new AtomicElement(std::move(token), lineNumber));
            tails.back() = tail->next.get();
        }
    }
}

std::unique_ptr<ListObject> readListFile(std::string path, const ListFileOpener& open,
                                         DiagnosticSink& sink) {
    lineNumber = 0;
    std::string problem;
    long long bytes = 0;
    bool refused = false;
    std::FILE* file = open ? open(path, problem, &bytes, &refused) : nullptr;
    if (!file) {
        if (refused)
            report(sink, path, path + ": ", problem);
        else
            report(sink, path, "", "Unable to open list file " + path);
        return std::make_unique<ListObject>(lineNumber);
    }
    ListInput in = ListInput::fromFile(file, path, bytes);
    if (in.fileBytes() > maxListFileBytes) {
        report(sink, path, path + ": ",
               std::to_string(in.fileBytes()) + " bytes, more than a description file may hold (" +
                   std::to_string(maxListFileBytes) + " at most)");
        return std::make_unique<ListObject>(lineNumber);
    }
    // The first token stands for the root's opening parenthesis, whatever it is.
    std::string token;
    bool quoted = false;
    if (!nextToken(in, token, quoted)) {
        if (in.failed())
            report(sink, path, "", "Unable to read list file " + path);
        else
            report(sink, path, path + ": ", "file holds no list");
        return std::make_unique<ListObject>(lineNumber);
    }
    return readList(in, sink);
}
