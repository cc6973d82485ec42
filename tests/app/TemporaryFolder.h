#pragma once

#include <string>

// An empty folder in /tmp, removed with everything in it afterwards: a viewer's own state
// folder (XDG_STATE_HOME), so that no test writes into the real home.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(const std::string& stem = "levelcolors-state");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};
