#pragma once

#include <string>

// Catches what libraries print on standard error while they run (libpng prints its own
// "libpng error: ..." lines before SDL_image reports a failure), so that the check prints one
// line per problem and can quote the library's words. One temporary file serves every capture.
class StderrCapture {
  public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Sends standard error to the capture file; does nothing when it could not be made.
    void begin();
    // Restores standard error and returns what was written since begin().
    std::string end();

    // The last line a library printed, without a "libpng error: " style prefix; `fallback`
    // when it printed nothing.
    static std::string reasonFrom(const std::string& captured, const std::string& fallback);

  private:
    int file_ = -1;
    int saved_ = -1;
};
