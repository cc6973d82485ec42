// Standard error in a temporary file that the system deletes once it is closed.

#include "platform/StderrFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

int openTemporaryFile() {
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > sizeof folder || !GetTempFileNameA(folder, "lc", 0, path)) {
        errno = EACCES;
        return -1;
    }
    return _open(path, _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_SHORT_LIVED | _O_NOINHERIT);
}

} // namespace

StderrFile::~StderrFile() {
    restore();
}

std::string StderrFile::redirect() {
    if (saved_ >= 0)
        return "";
    file_ = openTemporaryFile();
    const int error = errno;
    std::fflush(stderr);
    if (file_ >= 0) {
        saved_ = _dup(2);
        if (saved_ >= 0 && _dup2(file_, 2) >= 0)
            return "";
    }
    const int failure = file_ < 0 ? error : errno;
    if (saved_ >= 0)
        _close(saved_);
    saved_ = -1;
    if (file_ >= 0)
        _close(file_);
    file_ = -1;
    return std::strerror(failure);
}

void StderrFile::restore() {
    if (saved_ < 0)
        return;
    std::fflush(stderr);
    _dup2(saved_, 2);
    _close(saved_);
    _close(file_);
    saved_ = -1;
    file_ = -1;
}

long StderrFile::size() {
    if (saved_ < 0)
        return 0;
    std::fflush(stderr);
    return _lseek(file_, 0, SEEK_CUR);
}

std::string StderrFile::read(long from, long to) {
    if (saved_ < 0 || to <= from)
        return "";
    // No positioned read here: read from `from`, then go back to the end for the writers.
    std::string text(size_t(to - from), '\0');
    int got = -1;
    if (_lseek(file_, from, SEEK_SET) == from)
        got = _read(file_, &text[0], unsigned(text.size()));
    _lseek(file_, 0, SEEK_END);
    text.resize(got > 0 ? size_t(got) : 0);
    return text;
}
