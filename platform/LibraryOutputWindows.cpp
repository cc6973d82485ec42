// No thread has a standard error of its own; the files are temporary files that the system
// deletes once they are closed.

#include "platform/LibraryOutput.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

bool LibraryOutput::ownDescriptors() {
    return false;
}

bool LibraryOutput::threadsOwnTheirs() {
    return false;
}

int LibraryOutput::openFile() {
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > sizeof folder || !GetTempFileNameA(folder, "lc", 0, path))
        return -1;
    const int file =
        _open(path, _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_SHORT_LIVED | _O_NOINHERIT);
    if (file < 0)
        DeleteFileA(path); // made empty by GetTempFileNameA
    return file;
}

long LibraryOutput::readAt(int file, char* into, size_t size, long from) {
    // No positioned read here: read at `from`, then go back to the end for the writers.
    const long end = _lseek(file, 0, SEEK_CUR);
    long got = -1;
    if (_lseek(file, from, SEEK_SET) == from)
        got = _read(file, into, unsigned(size));
    _lseek(file, end, SEEK_SET);
    return got;
}

bool LibraryOutput::empty(int file) {
    return _chsize(file, 0) == 0 && _lseek(file, 0, SEEK_SET) == 0;
}
