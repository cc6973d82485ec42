#include "tests/app/ViewerRun.h"

#include "tests/support/Paths.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

std::string viewerBinary() {
    return buildRoot() + "/levelcolors";
}

std::map<std::string, std::string> viewerEnvironment(const std::string& display,
                                                     const std::string& stateHome) {
    return {{"DISPLAY", display}, {"XDG_STATE_HOME", stateHome}};
}

ViewerRun::ViewerRun(const std::string& folder, const std::vector<std::string>& arguments,
                     const std::string& program, const std::string& stateHome)
    : ownState_(stateHome.empty() ? std::make_unique<TemporaryFolder>() : nullptr),
      driver_(server_.display()) {
    std::vector<std::string> argv = {program.empty() ? viewerBinary() : program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    process_ = std::make_unique<TestedProgram>(
        argv, folder,
        viewerEnvironment(server_.display(), ownState_ ? ownState_->path() : stateHome));
    window_ = driver_.findWindow(title, 60);
    if (window_.empty())
        throw std::runtime_error("the viewer opened no window; its standard output: " +
                                 process_->standardOutput() + process_->standardError());
    // A frame is on screen once the background covers the window's right edge, and the level
    // is loaded once the caption line's right end, where "loading N of M files" stands until
    // then, is bare. A viewer that never gets there fails the test here, not in its first check.
    const auto loaded = [](const Screenshot& shot) {
        if (shot.width <= 0 || shot.at(shot.width - 1, 20) != 0xFFFFFF)
            return false;
        for (int y = 0; y < 16; ++y)
            for (int x = shot.width - 36; x < shot.width - 1; ++x)
                if (shot.at(x, y) != 0xFFFFFF)
                    return false;
        return true;
    };
    if (!loaded(poll(loaded, 600)))
        throw std::runtime_error("the viewer never showed its level loaded; it " +
                                 process_->howItEnded() +
                                 "; its standard error: " + process_->standardError());
}

void ViewerRun::sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ViewerRun::press(const std::vector<std::string>& keys) {
    if (!driver_.pressKeys(window_, keys)) {
        std::string names;
        for (const std::string& key : keys)
            names += " " + key;
        ADD_FAILURE() << "xdotool could not press" << names;
    }
}

int ViewerRun::quit() {
    driver_.pressKey(window_, "Escape");
    return process_->wait(30);
}
