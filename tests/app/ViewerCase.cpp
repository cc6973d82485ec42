#include "tests/app/ViewerCase.h"

#include "tests/app/ViewerMapLevel.h"

#include <cstdio>
#include <fnmatch.h>
#include <sstream>

void ViewerCase::addCollisionSwatches() {
    level.writeImage("levels/walkbehind_p.png", 8, 8, walkBehind);
    level.writeImage("levels/walkinto_p.png", 8, 8, walkInto);
}

ViewerRun& ViewerCase::start(const std::vector<std::string>& arguments) {
    viewer_.reset();
    viewer_ = std::make_unique<ViewerRun>(level.path(), arguments, "", state.path());
    return *viewer_;
}

ViewerRun& ViewerCase::startOnMap(const std::function<void(LevelFolder&)>& addToLevel) {
    level.copyGolden("map");
    if (addToLevel)
        addToLevel(level);
    ViewerRun& viewer = start();
    viewer.press({"m"});
    viewer.waitFor(mapView);
    return viewer;
}

uint32_t swatchColour(int i) {
    return 0x100000u * uint32_t(1 + i % 15) + 0x0101u * uint32_t(i);
}

uint32_t imageColour(int i) {
    return 0x0000F0u + 0x010100u * uint32_t(3 * i + 7);
}

std::string numbered(const char* stem, int i) {
    return stem + std::string(i < 10 ? "0" : "") + std::to_string(i);
}

void removeDecorations(const LevelFolder& level) {
    for (const char* file :
         {"fonts/smallFont.png", "fonts/bigFont.png", "whiteBG.png", "scramble.png"})
        std::remove((level.path() + "/" + file).c_str());
}

void expectLinesMatch(const std::string& text, const std::string& patterns) {
    SCOPED_TRACE("the whole text:\n" + text);
    std::istringstream lines(text), expected(patterns);
    std::string line, pattern;
    while (std::getline(expected, pattern)) {
        ASSERT_TRUE(std::getline(lines, line)) << "missing: " << pattern;
        EXPECT_EQ(fnmatch(pattern.c_str(), line.c_str(), 0), 0) << line << "\n  vs " << pattern;
    }
    EXPECT_FALSE(std::getline(lines, line)) << "extra: " << line;
}
