#pragma once

#include "platform/StderrFile.h"

#include <string>

// Catches what libraries print on standard error while they run (libpng prints its own
// "libpng error: ..." lines before SDL_image reports a failure), so that the check prints one
// line per problem and can quote the library's words. Standard error stays redirected from
// begin() to end(); marks tell one call's words from the next at the cost of one seek.
class StderrCapture {
  public:
    StderrCapture() = default;
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Sends standard error to a file in memory (or a temporary file). When neither can be
    // made, says so in one line on standard error and captures nothing.
    void begin();
    // Restores standard error.
    void end();
    // Where the capture stands now, for since().
    long mark();
    // What was written after `from`, a value of mark(); empty when nothing is captured.
    std::string since(long from);

    // The last line a library printed, without a "libpng error: " style prefix; `fallback`
    // when it printed nothing.
    static std::string reasonFrom(const std::string& captured, const std::string& fallback);

  private:
    StderrFile file_;
};
