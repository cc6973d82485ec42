#include "tests/listfile/StderrCapture.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

StderrCapture::StderrCapture() {
    std::cerr.flush();
    std::fflush(stderr);
    char name[] = "/tmp/listfile-stderr-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0)
        throw std::runtime_error("cannot create a file for standard error");
    path_ = name;
    savedFd_ = dup(2);
    dup2(fd, 2);
    close(fd);
}

StderrCapture::~StderrCapture() {
    text();
}

std::string StderrCapture::text() {
    if (savedFd_ < 0)
        return text_;
    std::cerr.flush();
    std::fflush(stderr);
    dup2(savedFd_, 2);
    close(savedFd_);
    savedFd_ = -1;
    std::ifstream in(path_, std::ios::binary);
    text_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(path_.c_str());
    return text_;
}
