#pragma once

#include <string>

// Standard error sent to a file of the process's own (in memory where the system has such
// files, else a temporary file), and read back while it is there.
class StderrFile {
  public:
    StderrFile() = default;
    // Restores standard error.
    ~StderrFile();
    StderrFile(const StderrFile&) = delete;
    StderrFile& operator=(const StderrFile&) = delete;

    // Sends standard error to the file. "" on success, else the system's reason, with
    // standard error left where it was.
    std::string redirect();
    // Sends standard error back to where it was.
    void restore();
    bool redirected() const { return saved_ >= 0; }

    // How much has been written to the file, standard error flushed first; 0 when not
    // redirected.
    long size();
    // The bytes written from `from` to `to`; empty when not redirected or unreadable.
    std::string read(long from, long to);

  private:
    // Each system's own: a new file for reading and writing, or -1 with errno set; and a read
    // of `size` bytes at `from` that leaves the file's position where it was.
    static int openFile();
    static long readAt(int file, char* into, size_t size, long from);

    int file_ = -1;
    int saved_ = -1;
};
