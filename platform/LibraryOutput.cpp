#include "platform/LibraryOutput.h"

#include <cstdio>
#include <unistd.h>

namespace {

// libpng prints its errors as "libpng error: <words>": the words alone are what a reader
// that quotes the library's reason takes.
Diagnostic libraryLine(const std::string& file, const std::string& line) {
    const std::string error = " error: ";
    const size_t prefix = line.find(error);
    if (prefix != std::string::npos && line.compare(0, 6, "libpng") == 0)
        return {DiagnosticKind::Library,
                file,
                {},
                line.substr(0, prefix + error.size()),
                line.substr(prefix + error.size())};
    return {DiagnosticKind::Library, file, {}, "", line};
}

} // namespace

LibraryOutput::LibraryOutput(Scope scope) {
    if (scope == Scope::Thread && !ownDescriptors())
        return;
    file_ = openFile();
    if (file_ < 0)
        return;
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    if (saved_ >= 0 && dup2(file_, STDERR_FILENO) >= 0)
        return;
    if (saved_ >= 0)
        close(saved_);
    close(file_);
    saved_ = -1;
    file_ = -1;
}

LibraryOutput::~LibraryOutput() {
    restore();
}

void LibraryOutput::restore() {
    if (file_ < 0)
        return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    close(file_);
    saved_ = -1;
    file_ = -1;
}

void LibraryOutput::report(const std::string& file, DiagnosticSink& sink) {
    if (file_ < 0)
        return;
    std::fflush(stderr);
    // Standard error shares the file's position: it stands at the end of what was written.
    const long end = long(lseek(file_, 0, SEEK_CUR));
    if (end <= 0)
        return;
    std::string written(size_t(end), '\0');
    const long got = readAt(file_, &written[0], written.size(), 0);
    written.resize(got > 0 ? size_t(got) : 0);
    // Emptied for the next image, so that the file never grows; a file that cannot be emptied
    // is given up, and standard error is the shared one again.
    if (!empty(file_))
        restore();
    for (size_t start = 0; start < written.size();) {
        size_t stop = written.find('\n', start);
        if (stop == std::string::npos)
            stop = written.size();
        sink.report(libraryLine(file, written.substr(start, stop - start)));
        start = stop + 1;
    }
}
