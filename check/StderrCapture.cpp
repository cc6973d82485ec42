#include "check/StderrCapture.h"

#include <cstdio>

void StderrCapture::begin() {
    const std::string problem = file_.redirect();
    if (problem.empty())
        return;
    std::fprintf(stderr,
                 "levelcolors-check: cannot capture the image library's messages (%s); they "
                 "may appear as they are\n",
                 problem.c_str());
    std::fflush(stderr);
}

void StderrCapture::end() {
    file_.restore();
}

long StderrCapture::mark() {
    return file_.size();
}

std::string StderrCapture::since(long from) {
    return file_.read(from, mark());
}

std::string StderrCapture::reasonFrom(const std::string& captured, const std::string& fallback) {
    const size_t end = captured.find_last_not_of("\r\n");
    if (end == std::string::npos)
        return fallback;
    const size_t newline = captured.find_last_of('\n', end);
    const size_t start = newline == std::string::npos ? 0 : newline + 1;
    std::string line = captured.substr(start, end + 1 - start);
    const size_t prefix = line.find(" error: ");
    if (prefix != std::string::npos && line.compare(0, 6, "libpng") == 0)
        line = line.substr(prefix + 8);
    return line.empty() ? fallback : line;
}
