#include "check/StderrCapture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

StderrCapture::StderrCapture() {
    char name[] = "/tmp/levelcolors-check-stderr-XXXXXX";
    file_ = mkstemp(name);
    if (file_ >= 0)
        unlink(name);
}

StderrCapture::~StderrCapture() {
    if (saved_ >= 0)
        end();
    if (file_ >= 0)
        close(file_);
}

void StderrCapture::begin() {
    if (file_ < 0 || saved_ >= 0)
        return;
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    if (saved_ < 0)
        return;
    if (ftruncate(file_, 0) != 0 || lseek(file_, 0, SEEK_SET) != 0 ||
        dup2(file_, STDERR_FILENO) < 0) {
        close(saved_);
        saved_ = -1;
    }
}

std::string StderrCapture::end() {
    if (saved_ < 0)
        return "";
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
    std::string text;
    const off_t size = lseek(file_, 0, SEEK_CUR);
    if (size > 0) {
        text.resize(size_t(size));
        const ssize_t got = pread(file_, text.data(), text.size(), 0);
        text.resize(got > 0 ? size_t(got) : 0);
    }
    return text;
}

std::string StderrCapture::reasonFrom(const std::string& captured, const std::string& fallback) {
    size_t end = captured.find_last_not_of("\r\n");
    if (end == std::string::npos)
        return fallback;
    const size_t start = captured.find_last_of('\n', end);
    std::string line = captured.substr(start == std::string::npos ? 0 : start + 1,
                                       end + 1 - (start == std::string::npos ? 0 : start + 1));
    const size_t prefix = line.find(" error: ");
    if (prefix != std::string::npos && line.compare(0, 6, "libpng") == 0)
        line = line.substr(prefix + 8);
    return line.empty() ? fallback : line;
}
