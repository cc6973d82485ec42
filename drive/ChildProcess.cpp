#include "drive/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
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
    : program_(argv.empty() ? "" : argv[0]), outPath_(makeTempPath("out")),
      errPath_(makeTempPath("err")) {
    // Everything the child needs is prepared here: between fork and exec a process with
    // threads (GL's workers) may neither allocate nor change its environment.
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        if (env.count(entry.substr(0, entry.find('='))) == 0)
            environment.push_back(entry);
    }
    for (const auto& [name, value] : env) {
        if (!value.empty())
            environment.push_back(name + "=" + value);
    }
    std::vector<char*> args, envp;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_TRUNC, 0);
    if (args[0] == nullptr ||
        posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
        pid_ = -1;
        status_ = 127;
    }
    posix_spawn_file_actions_destroy(&actions);
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
        signal_ = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
        status_ = signal_ ? 128 + signal_ : WEXITSTATUS(raw);
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

std::string ChildProcess::howItEnded() {
    if (running())
        return "is still running";
    if (status_ == -1)
        return "was killed after its time ran out";
    if (signal_)
        return "was killed by signal " + std::to_string(signal_) + " (" + strsignal(signal_) + ")";
    return "ended with status " + std::to_string(status_);
}

std::string ChildProcess::standardOutput() const {
    return readWhole(outPath_);
}
std::string ChildProcess::standardError() const {
    return readWhole(errPath_);
}

std::map<std::string, std::string> systemToolEnvironment(std::map<std::string, std::string> env) {
    env["LD_PRELOAD"] = "";
    return env;
}

int runCommand(const std::vector<std::string>& argv, std::string* output, double seconds) {
    ChildProcess child(argv, "", systemToolEnvironment());
    const int status = child.wait(seconds);
    if (output)
        *output = child.standardOutput();
    return status;
}
