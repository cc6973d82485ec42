#pragma once

#include "drive/WindowDriver.h"
#include "drive/XServer.h"
#include "gfx/WindowTitle.h"
#include "tests/support/TestedProgram.h"

#include <memory>
#include <string>

// The real viewer running in a level folder on a private X server, driven by keys and read
// through screenshots.
class ViewerRun {
  public:
    static constexpr const char* title = windowTitle;

    // Starts `program` (default build/levelcolors) with `arguments` in `folder` and waits for
    // its window and its first frame with the level loaded.
    explicit ViewerRun(const std::string& folder, const std::vector<std::string>& arguments = {},
                       const std::string& program = "");

    const std::string& window() const { return window_; }
    WindowDriver& driver() { return driver_; }

    // Presses keys in one go; they reach the viewer within one frame. A key xdotool cannot
    // press fails the test.
    void press(const std::vector<std::string>& keys);
    Screenshot screenshot() const { return driver_.screenshot(window_); }
    // Takes screenshots until `shown` holds for one, for up to 30 seconds; returns the last.
    template <typename Predicate>
    Screenshot waitFor(Predicate shown) const {
        Screenshot shot = screenshot();
        for (int tries = 0; tries < 600 && !shown(shot); ++tries) {
            sleepMilliseconds(50);
            shot = screenshot();
        }
        return shot;
    }
    // Presses Escape and waits for the end; returns the exit status.
    int quit();
    TestedProgram& process() { return *process_; }
    XServer& server() { return server_; }
    std::string standardError() const { return process_->standardError(); }
    std::string standardOutput() const { return process_->standardOutput(); }

    static void sleepMilliseconds(int milliseconds);

  private:
    XServer server_;
    WindowDriver driver_;
    std::unique_ptr<TestedProgram> process_;
    std::string window_;
};

// The path of the built viewer.
std::string viewerBinary();
// The environment the viewer runs in, besides the test's own: the display.
std::map<std::string, std::string> viewerEnvironment(const std::string& display);
