#include "drive/XServer.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

XServer::XServer(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    char logPath[] = "/tmp/levelcolors-xvfb-XXXXXX";
    const int log = mkstemp(logPath);
    if (log >= 0)
        close(log);
    // Xvfb tries display numbers from 0 up until one is free and writes that one to
    // descriptor 3. What it says about the ones in use by other servers goes to a log that
    // is only shown when it fails.
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const char* argv[] = {"Xvfb",         "-displayfd", "3",   "-screen",  "0",
                          screen.c_str(), "-nolisten",  "tcp", "-noreset", nullptr};
    // Xvfb is the system's, not built for the sanitizer build's leak check: no preloads.
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable) {
        if (std::string(*variable).rfind("LD_PRELOAD=", 0) != 0)
            environment.push_back(*variable);
    }
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (fds[1] != 3) {
        posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
    }
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log >= 0 ? logPath : "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr,
                                     const_cast<char* const*>(argv), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string number;
    if (spawned == 0) {
        pollfd p = {fds[0], POLLIN, 0};
        while (poll(&p, 1, 20000) > 0) {
            char c;
            if (read(fds[0], &c, 1) <= 0 || c == '\n')
                break;
            number += c;
        }
    } else {
        pid_ = -1;
    }
    close(fds[0]);
    std::ostringstream said;
    said << std::ifstream(logPath).rdbuf();
    unlink(logPath);
    if (number.empty()) {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        throw std::runtime_error("Xvfb did not start (is it installed?) " + said.str());
    }
    display_ = ":" + number;
}

XServer::~XServer() {
    stop();
}

void XServer::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

void XServer::makeCurrent() const {
    setenv("DISPLAY", display_.c_str(), 1);
}
