// A thread's own standard error through a descriptor table of its own (Linux); the files in
// memory (Linux), or temporary files.

#include "platform/LibraryOutput.h"

#include <cstdio>
#include <fcntl.h>
#include <system_error>
#include <thread>
#include <unistd.h>

#if defined(__linux__)
#include <sched.h>
#include <sys/mman.h>
#endif

bool LibraryOutput::ownDescriptors() {
#if defined(__linux__)
    // Pointing this thread's descriptor 2 elsewhere then leaves every other thread's where it
    // was. The stream object stays shared, and being unbuffered it writes through to
    // whichever descriptor 2 the writing thread has.
    return unshare(CLONE_FILES) == 0;
#else
    return false;
#endif
}

bool LibraryOutput::threadsOwnTheirs() {
    // Asked of a thread made for it, which ends at once: a sandbox's filter may refuse it.
    static const bool own = [] {
        bool given = false;
        try {
            std::thread probe([&given] { given = ownDescriptors(); });
            probe.join();
        } catch (const std::system_error&) {
        }
        return given;
    }();
    return own;
}

int LibraryOutput::openFile() {
    // A file in memory needs no writable folder; tmpfile() is the fallback where there is
    // none. A pipe could fill up and stop the program.
    int file = -1;
#if defined(__linux__)
    file = memfd_create("levelcolors-library-output", MFD_CLOEXEC);
#endif
    if (file < 0) {
        if (std::FILE* temporary = std::tmpfile()) {
            file = fcntl(fileno(temporary), F_DUPFD_CLOEXEC, 0);
            std::fclose(temporary);
        }
    }
    // Kept clear of the low numbers that other files get, so that tools following
    // descriptors by number do not take this one for theirs.
    constexpr int highDescriptor = 512;
    if (file >= 0) {
        const int high = fcntl(file, F_DUPFD_CLOEXEC, highDescriptor);
        if (high >= 0) {
            close(file);
            file = high;
        }
    }
    return file;
}

long LibraryOutput::readAt(int file, char* into, size_t size, long from) {
    return long(pread(file, into, size, off_t(from)));
}

bool LibraryOutput::empty(int file) {
    return ftruncate(file, 0) == 0 && lseek(file, 0, SEEK_SET) == 0;
}
