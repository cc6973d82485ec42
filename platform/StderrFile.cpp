#include "platform/StderrFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

StderrFile::~StderrFile() {
    restore();
}

std::string StderrFile::redirect() {
    if (saved_ >= 0)
        return "";
    file_ = openFile();
    const int error = errno;
    std::fflush(stderr);
    if (file_ >= 0) {
        saved_ = dup(STDERR_FILENO);
        if (saved_ >= 0 && dup2(file_, STDERR_FILENO) >= 0)
            return "";
    }
    const int failure = file_ < 0 ? error : errno;
    if (saved_ >= 0)
        close(saved_);
    saved_ = -1;
    if (file_ >= 0)
        close(file_);
    file_ = -1;
    return std::strerror(failure);
}

void StderrFile::restore() {
    if (saved_ < 0)
        return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    close(file_);
    saved_ = -1;
    file_ = -1;
}

long StderrFile::size() {
    if (saved_ < 0)
        return 0;
    std::fflush(stderr);
    return long(lseek(file_, 0, SEEK_CUR));
}

std::string StderrFile::read(long from, long to) {
    if (saved_ < 0 || to <= from)
        return "";
    std::string text(size_t(to - from), '\0');
    const long got = readAt(file_, &text[0], text.size(), from);
    text.resize(got > 0 ? size_t(got) : 0);
    return text;
}
