#include "app/Level.h"

#include "app/LevelScan.h"
#include "app/Pages.h"
#include "sprites/SpriteCatalog.h"

LevelContents shownLevel;
std::map<uint32_t, Sprite*>& textureByColor = shownLevel.textureByColor;
std::map<uint32_t, std::string>& objectNameByColor = shownLevel.objectNameByColor;
std::map<uint32_t, Sprite*>& swatchByColor = shownLevel.swatchByColor;
std::vector<uint32_t>& levelColors = shownLevel.levelColors;
std::optional<uint32_t>& walkBehindColor = shownLevel.walkBehindColor;
std::optional<uint32_t>& walkIntoColor = shownLevel.walkIntoColor;

void loadLevel(KeptFiles* kept) {
    LevelScan(LevelScan::Kind::Load, kept, shownLevel).finish();
}

void unloadLevel() {
    shownLevel = LevelContents();
    SpriteCatalog::get().clear();
}

void drawPage(const ViewState& state) {
    drawPage(state, shownLevel);
}
