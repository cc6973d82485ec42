#include "check/StderrCapture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

StderrCapture::StderrCapture() = default;

StderrCapture::~StderrCapture() {
    end();
}

void StderrCapture::begin() {
    if (saved_ >= 0)
        return;
    char name[] = "/tmp/levelcolors-check-stderr-XXXXXX";
    file_ = mkstemp(name);
    if (file_ < 0)
        return;
    unlink(name);
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    if (saved_ < 0 || dup2(file_, STDERR_FILENO) < 0) {
        if (saved_ >= 0)
            close(saved_);
        saved_ = -1;
        close(file_);
        file_ = -1;
    }
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
