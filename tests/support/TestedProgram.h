#pragma once

#include "drive/ChildProcess.h"

// A project program run by a test (the viewer, the check tool). When the test has failed by
// the time it is dropped, the test's output gets how the program ended and its whole standard
// error, so that a CI log alone tells what happened.
class TestedProgram : public ChildProcess {
  public:
    using ChildProcess::ChildProcess;
    ~TestedProgram();
    TestedProgram(const TestedProgram&) = delete;
    TestedProgram& operator=(const TestedProgram&) = delete;
};
