#pragma once

#include "platform/StderrFile.h"

#include <cstddef>
#include <optional>

// Counts the lines written on standard error from its making to finish(): they are caught in a
// file of the process's own and written out, in their order, at finish(), so that whatever
// writes them (the project's code, the libraries, worker threads' caught output) counts.
class StderrLineCount {
  public:
    // Catches standard error from now on; where it cannot be caught it is left as it is.
    StderrLineCount();
    // Writes out what was caught and restores standard error, if finish() has not.
    ~StderrLineCount();
    StderrLineCount(const StderrLineCount&) = delete;
    StderrLineCount& operator=(const StderrLineCount&) = delete;

    // Writes out what was caught, restores standard error and returns how many lines were
    // written (a last line without its line feed counts); none when nothing could be caught.
    std::optional<size_t> finish();

  private:
    StderrFile file_;
    bool caught_ = false;
};
