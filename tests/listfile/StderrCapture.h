#pragma once

#include <string>

// Sends everything written to file descriptor 2 (std::cerr and stderr alike) to a temporary
// file until text() is called, so tests can compare diagnostics byte by byte.
class StderrCapture {
  public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Restores standard error and returns what was written since construction. Further
    // calls return the same text.
    std::string text();

  private:
    int savedFd_ = -1;
    std::string path_;
    std::string text_;
};
