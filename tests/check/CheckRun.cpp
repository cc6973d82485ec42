#include "tests/check/CheckRun.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/Paths.h"

CheckRun runCheck(const std::vector<std::string>& arguments, const std::string& cwd) {
    std::vector<std::string> argv = {buildRoot() + "/levelcolors-check"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess child(argv, cwd, {{"DISPLAY", ""}});
    CheckRun run;
    run.status = child.wait(120);
    run.out = child.standardOutput();
    run.err = child.standardError();
    return run;
}
