#include "platform/ThreadStderr.h"

#include <cstdio>

#if defined(__linux__)
#include <fcntl.h>
#include <sched.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr int highDescriptor = 512;
}

ThreadStderr::ThreadStderr() {
    // A descriptor table of this thread's own: pointing its descriptor 2 at a memory file
    // leaves every other thread's standard error where it was. The stream object stays
    // shared, and being unbuffered it writes through to whichever descriptor 2 the writing
    // thread has.
    if (unshare(CLONE_FILES) != 0)
        return;
    const int file = memfd_create("levelcolors-thread-stderr", MFD_CLOEXEC);
    if (file < 0)
        return;
    if (dup2(file, STDERR_FILENO) < 0) {
        close(file);
        return;
    }
    // Kept clear of the low numbers that the other threads' own files get, so that tools
    // following descriptors by number do not take this one for theirs.
    const int high = fcntl(file, F_DUPFD_CLOEXEC, highDescriptor);
    if (high >= 0) {
        close(file);
        file_ = high;
    } else {
        file_ = file;
    }
}

ThreadStderr::~ThreadStderr() {
    if (file_ >= 0)
        close(file_);
}

bool ThreadStderr::possible() {
    return true;
}

std::string ThreadStderr::take() {
    if (file_ < 0)
        return "";
    std::fflush(stderr);
    const off_t end = lseek(file_, 0, SEEK_CUR);
    if (end <= 0)
        return "";
    std::string text(size_t(end), '\0');
    const ssize_t got = pread(file_, text.data(), text.size(), 0);
    text.resize(got > 0 ? size_t(got) : 0);
    // Emptied for the next piece of work, so that the file never grows.
    if (ftruncate(file_, 0) != 0 || lseek(file_, 0, SEEK_SET) != 0) {
        close(file_);
        file_ = -1;
    }
    return text;
}

#else

ThreadStderr::ThreadStderr() = default;
ThreadStderr::~ThreadStderr() = default;
std::string ThreadStderr::take() {
    return "";
}
bool ThreadStderr::possible() {
    return false;
}

#endif
