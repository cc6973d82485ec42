#pragma once

#include <string>
#include <sys/types.h>

// A private Xvfb server for one test program or one test: started on a free display number,
// stopped by the destructor. Tests never share a screen, so they may run in parallel.
class XServer {
  public:
    // width x height x 24 screen. Throws std::runtime_error when Xvfb cannot be started.
    explicit XServer(int width = 400, int height = 900);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N"
    const std::string& display() const { return display_; }
    // Stops the server now, as a log-out does to the programs on it; the destructor then
    // has nothing left to do.
    void stop();
    // Sets DISPLAY in this process's environment to this server.
    void makeCurrent() const;

  private:
    pid_t pid_ = -1;
    std::string display_;
};
