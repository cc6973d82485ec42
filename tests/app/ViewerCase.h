#pragma once

#include "tests/app/LevelFolder.h"
#include "tests/app/TemporaryFolder.h"
#include "tests/app/ViewerRun.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A case of the whole-viewer tests: a level folder the case fills, then the real viewer
// started on it and waited for until it shows the level loaded.
class ViewerCase : public ::testing::Test {
  protected:
    // The collision colours of a plain level.
    static constexpr uint32_t walkBehind = 0x123456, walkInto = 0x654321;

    LevelFolder level;
    // The viewers' state folder (XDG_STATE_HOME), the same for every start of the case.
    TemporaryFolder state;

    // Gives the level its two collision swatches, walkBehind and walkInto: a plain level.
    void addCollisionSwatches();
    // Starts the viewer with `arguments` in the level's folder (ending the one started
    // before) and waits for the level loaded; a viewer that never shows it fails the case.
    ViewerRun& start(const std::vector<std::string>& arguments = {});
    // Copies the map golden level, starts the viewer on it and shows the map at 16 pixels a
    // cell; `addToLevel` adds files first.
    ViewerRun& startOnMap(const std::function<void(LevelFolder&)>& addToLevel = {});

  private:
    std::unique_ptr<ViewerRun> viewer_;
};

// The suites of the whole-viewer tests, each in files of its own and all on this fixture (a
// suite whose files each defined a fixture class would have several).
using ViewerBrokenLevel = ViewerCase;
using ViewerBrowsing = ViewerCase;
using ViewerCommandLine = ViewerCase;
using ViewerEdit = ViewerCase;
using ViewerFind = ViewerCase;
using ViewerHostileLevel = ViewerCase;
using ViewerHover = ViewerCase;
using ViewerInstall = ViewerCase;
using ViewerLiveReload = ViewerCase;
using ViewerMap = ViewerCase;
using ViewerPages = ViewerCase;
using ViewerQuit = ViewerCase;
using ViewerWindow = ViewerCase;

// Distinct colours for generated files: the swatch and the image of file i.
uint32_t swatchColour(int i);
uint32_t imageColour(int i);
// `stem` and i in two digits: "t07".
std::string numbered(const char* stem, int i);
// Removes the four files the viewer brings itself when a level lacks them.
void removeDecorations(const LevelFolder& level);
// Each line of `text` against the line of `patterns` in the same place, "*" matching any text.
void expectLinesMatch(const std::string& text, const std::string& patterns);
