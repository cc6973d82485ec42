#include "tests/support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string makeTempPath(const char* stem) {
    std::string templ = std::string("/tmp/levelcolors-") + stem + "-XXXXXX";
    const int fd = mkstemp(templ.data());
    if (fd >= 0)
        close(fd);
    return templ;
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& cwd,
                           const std::map<std::string, std::string>& env)
    : outPath_(makeTempPath("out")), errPath_(makeTempPath("err")) {
    pid_ = fork();
    if (pid_ != 0)
        return;
    if (!cwd.empty() && chdir(cwd.c_str()) != 0)
        _exit(126);
    for (const auto& [name, value] : env) {
        if (value.empty())
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
    const int out = open(outPath_.c_str(), O_WRONLY | O_TRUNC);
    const int err = open(errPath_.c_str(), O_WRONLY | O_TRUNC);
    const int in = open("/dev/null", O_RDONLY);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

ChildProcess::~ChildProcess() {
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

bool ChildProcess::running() {
    if (status_ != -2 || pid_ <= 0)
        return false;
    int raw = 0;
    if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return false;
    }
    return true;
}

int ChildProcess::wait(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            status_ = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
}

std::string ChildProcess::standardOutput() const {
    return readWhole(outPath_);
}
std::string ChildProcess::standardError() const {
    return readWhole(errPath_);
}

int runCommand(const std::vector<std::string>& argv, std::string* output, double seconds) {
    ChildProcess child(argv, "");
    const int status = child.wait(seconds);
    if (output)
        *output = child.standardOutput();
    return status;
}
