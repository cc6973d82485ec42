#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

// A program run by a test: its working folder, extra environment, standard output and
// standard error captured to files, and its exit status.
class ChildProcess {
  public:
    // Starts argv[0] (looked up in PATH when it has no slash) in folder `cwd`, with this
    // process's environment where `env` sets variables (an empty value removes one). A program
    // that cannot be started counts as one that ended with status 127.
    ChildProcess(const std::vector<std::string>& argv, const std::string& cwd,
                 const std::map<std::string, std::string>& env = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits up to `seconds`; returns the exit status, 128 + signal when killed by one, or -1
    // on time-out (the process is then killed).
    int wait(double seconds = 30);
    bool running();
    pid_t pid() const { return pid_; }
    // How it ended, without waiting: "ended with status 3", "was killed by signal 11
    // (Segmentation fault)", "was killed after its time ran out" or "is still running".
    std::string howItEnded();
    const std::string& program() const { return program_; }

    std::string standardOutput() const;
    std::string standardError() const;

  private:
    pid_t pid_ = -1;
    int status_ = -2;
    int signal_ = 0; // the signal that ended it, when one did
    std::string program_;
    std::string outPath_;
    std::string errPath_;
};

// Environment for the system's own tools (Xvfb, xdotool, readelf): without the sanitizer build's
// preloads, which are for the project's programs and would make the tools' own leaks fail them.
std::map<std::string, std::string>
systemToolEnvironment(std::map<std::string, std::string> env = {});

// Runs a system tool to its end and returns its exit status; output goes to `output` if given.
int runCommand(const std::vector<std::string>& argv, std::string* output = nullptr,
               double seconds = 30);
