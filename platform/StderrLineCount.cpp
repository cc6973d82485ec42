#include "platform/StderrLineCount.h"

#include <algorithm>
#include <cstdio>

StderrLineCount::StderrLineCount() {
    caught_ = file_.redirect().empty();
}

StderrLineCount::~StderrLineCount() {
    finish();
}

std::optional<size_t> StderrLineCount::finish() {
    if (!caught_)
        return std::nullopt;
    caught_ = false;
    const std::string text = file_.read(0, file_.size());
    file_.restore();
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
    size_t lines = size_t(std::count(text.begin(), text.end(), '\n'));
    if (!text.empty() && text.back() != '\n')
        ++lines;
    return lines;
}
