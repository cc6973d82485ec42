#pragma once

#include "drive/WindowDriver.h"
#include "drive/XServer.h"
#include "gfx/WindowTitle.h"
#include "tests/app/TemporaryFolder.h"
#include "tests/support/TestedProgram.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Something the viewer's window can show, and how to name it when it never does.
struct Sight {
    std::string what;
    std::function<bool(const Screenshot&)> shown;
};

// The real viewer running in a level folder on a private X server, driven by keys and read
// through screenshots.
class ViewerRun {
  public:
    static constexpr const char* title = windowTitle;

    // Starts `program` (default build/levelcolors) with `arguments` in `folder` and waits for
    // its window and its first frame with the level loaded. Its state folder (XDG_STATE_HOME)
    // is `stateHome`, or else one of its own, removed with the run.
    explicit ViewerRun(const std::string& folder, const std::vector<std::string>& arguments = {},
                       const std::string& program = "", const std::string& stateHome = "");

    const std::string& window() const { return window_; }
    WindowDriver& driver() { return driver_; }

    // Presses keys in one go; they reach the viewer within one frame. A key xdotool cannot
    // press fails the test.
    void press(const std::vector<std::string>& keys);
    Screenshot screenshot() const { return driver_.screenshot(window_); }
    // Takes screenshots until `shown` holds for one, for up to 30 seconds, and returns that one.
    // When none shows it, the test fails at the caller's line naming `what`, the last
    // screenshot is returned, and later waits of this run give up at once.
    template <typename Predicate>
    Screenshot waitFor(const std::string& what, Predicate shown,
                       const char* file = __builtin_FILE(), int line = __builtin_LINE()) const {
        const Screenshot shot = poll(shown, gaveUp_ ? 0 : 600);
        if (!shown(shot)) {
            ADD_FAILURE_AT(file, line)
                << "the viewer never showed " << what
                << (gaveUp_ ? " (not awaited: an earlier wait failed)" : " within 30 seconds");
            gaveUp_ = true;
        }
        return shot;
    }
    Screenshot waitFor(const Sight& sight, const char* file = __builtin_FILE(),
                       int line = __builtin_LINE()) const {
        return waitFor(sight.what, sight.shown, file, line);
    }
    // Presses Escape and waits for the end; returns the exit status.
    int quit();
    TestedProgram& process() { return *process_; }
    XServer& server() { return server_; }
    std::string standardError() const { return process_->standardError(); }
    std::string standardOutput() const { return process_->standardOutput(); }

    static void sleepMilliseconds(int milliseconds);

  private:
    // Takes a screenshot, then up to `tries` more 50 ms apart until `shown` holds for one;
    // returns the last.
    template <typename Predicate>
    Screenshot poll(Predicate shown, int tries) const {
        Screenshot shot = screenshot();
        for (int tried = 0; tried < tries && !shown(shot); ++tried) {
            sleepMilliseconds(50);
            shot = screenshot();
        }
        return shot;
    }

    std::unique_ptr<TemporaryFolder> ownState_;
    XServer server_;
    WindowDriver driver_;
    std::unique_ptr<TestedProgram> process_;
    std::string window_;
    mutable bool gaveUp_ = false;
};

// The path of the built viewer.
std::string viewerBinary();
// The environment the viewer runs in, besides the test's own: the display, and the state
// folder where it keeps unsaved edits (never the real home's).
std::map<std::string, std::string> viewerEnvironment(const std::string& display,
                                                     const std::string& stateHome);
