#pragma once

#include "diagnostics/DiagnosticSink.h"

#include <string>

// What a library writes on standard error itself while an image is decoded (libpng's warnings
// and errors, which the image library leaves it to print), caught on the decoding thread and
// reported in its place: each line a diagnostic of kind Library about the image. The one place
// where the programs read back their own standard error.
class LibraryOutput {
  public:
    enum class Scope {
        // The calling thread's standard error alone, for a decode worker. Where the system
        // cannot give a thread its own (threadsOwnTheirs), nothing is caught and the lines go
        // to standard error as they are written.
        Thread,
        // The process's, for a thread that decodes while no other writes on standard error.
        Process,
    };

    // Sends standard error (the thread's or the process's) to a file of its own: in memory
    // where the system has such files, else a temporary one. Where neither can be made,
    // nothing is caught.
    explicit LibraryOutput(Scope scope);
    // Sends standard error back to where it was; what was not reported is dropped.
    ~LibraryOutput();
    LibraryOutput(const LibraryOutput&) = delete;
    LibraryOutput& operator=(const LibraryOutput&) = delete;

    // Reports what was written since the last report (or since it was made) to `sink`, one
    // diagnostic a line about `file`, in order; nothing when nothing is caught. libpng's
    // "libpng error: <words>" line has the prefix as its `where` and the words as its text.
    void report(const std::string& file, DiagnosticSink& sink);
    bool catching() const { return file_ >= 0; }

    // Whether this system gives a thread a standard error of its own (asked once).
    static bool threadsOwnTheirs();

  private:
    void restore();

    // Each system's own: gives the calling thread a descriptor table of its own; a new file
    // for reading and writing, or -1; a read of `size` bytes at `from` that leaves the file's
    // position where it was; and emptying the file, its position back at its start.
    static bool ownDescriptors();
    static int openFile();
    static long readAt(int file, char* into, size_t size, long from);
    static bool empty(int file);

    int file_ = -1;
    int saved_ = -1;
};
