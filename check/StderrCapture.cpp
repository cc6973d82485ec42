#include "check/StderrCapture.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

StderrCapture::StderrCapture() = default;

StderrCapture::~StderrCapture() {
    end();
}

void StderrCapture::begin() {
    if (saved_ >= 0)
        return;
    // A file in memory needs no writable folder; tmpfile() is the fallback where there is
    // none. A pipe could fill up and stop the program.
    file_ = memfd_create("levelcolors-check-stderr", MFD_CLOEXEC);
    if (file_ < 0) {
        if (std::FILE* temporary = std::tmpfile()) {
            file_ = dup(fileno(temporary));
            std::fclose(temporary);
        }
    }
    const int error = errno;
    std::fflush(stderr);
    if (file_ >= 0) {
        saved_ = dup(STDERR_FILENO);
        if (saved_ >= 0 && dup2(file_, STDERR_FILENO) >= 0)
            return;
    }
    const int failure = file_ < 0 ? error : errno;
    if (saved_ >= 0)
        close(saved_);
    saved_ = -1;
    if (file_ >= 0)
        close(file_);
    file_ = -1;
    std::fprintf(stderr,
                 "levelcolors-check: cannot capture the image library's messages (%s); they "
                 "may appear as they are\n",
                 std::strerror(failure));
    std::fflush(stderr);
}

void StderrCapture::end() {
    if (saved_ < 0)
        return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    close(file_);
    saved_ = -1;
    file_ = -1;
}

long StderrCapture::mark() {
    if (saved_ < 0)
        return 0;
    std::fflush(stderr);
    return long(lseek(file_, 0, SEEK_CUR));
}

std::string StderrCapture::since(long from) {
    const long to = mark();
    if (saved_ < 0 || to <= from)
        return "";
    std::string text(size_t(to - from), '\0');
    const ssize_t got = pread(file_, text.data(), text.size(), off_t(from));
    text.resize(got > 0 ? size_t(got) : 0);
    return text;
}

std::string StderrCapture::reasonFrom(const std::string& captured, const std::string& fallback) {
    const size_t end = captured.find_last_not_of("\r\n");
    if (end == std::string::npos)
        return fallback;
    const size_t newline = captured.find_last_of('\n', end);
    const size_t start = newline == std::string::npos ? 0 : newline + 1;
    std::string line = captured.substr(start, end + 1 - start);
    const size_t prefix = line.find(" error: ");
    if (prefix != std::string::npos && line.compare(0, 6, "libpng") == 0)
        line = line.substr(prefix + 8);
    return line.empty() ? fallback : line;
}
