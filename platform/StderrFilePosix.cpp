// Standard error in a memory file (Linux), or a temporary file.

#include "platform/StderrFile.h"

#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

int StderrFile::openFile() {
    // A file in memory needs no writable folder; tmpfile() is the fallback where there is
    // none. A pipe could fill up and stop the program.
    int file = memfd_create("levelcolors-check-stderr", MFD_CLOEXEC);
    if (file < 0) {
        if (std::FILE* temporary = std::tmpfile()) {
            file = dup(fileno(temporary));
            std::fclose(temporary);
        }
    }
    return file;
}

long StderrFile::readAt(int file, char* into, size_t size, long from) {
    return long(pread(file, into, size, off_t(from)));
}
