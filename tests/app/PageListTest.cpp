// The paging and filter rules of the textures and objects views, on a level built in place:
// which rows a page holds, how many pages hold a row, how many rows pass a filter, and the page
// a colour's row is on.

#include "app/PageList.h"
#include "sprites/Sprite.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A texture known by its file's name alone: paging reads nothing else of it.
struct NamedTexture : Sprite {
    explicit NamedTexture(std::string name) : Sprite(std::move(name), NoImage{}) {}
};

// Positions 0 to 3 are textures (1 without a sprite), 4 to 7 objects; the object at 7 carries
// the colour of the one at 4 again.
class PageListTest : public ::testing::Test {
  protected:
    PageListTest() {
        addTexture(0xFF000001, "textures/Alpha.png");
        addTexture(0xFF000002, "");
        addTexture(0xFF000003, "textures/beta.png");
        addTexture(0xFF0000A4, "textures/gamma.txt");
        addObject(0xFF000010, "characters/hero.txt");
        addObject(0xFF000011, "events/door.txt");
        addObject(0xFF000012, "entities/hero2.txt");
        addObject(0xFF000010, "characters/hero.txt");
    }

    void addTexture(uint32_t colour, const std::string& path) {
        if (!path.empty()) {
            textures.push_back(std::make_unique<NamedTexture>(path));
            level.textureByColor[colour] = textures.back().get();
        } else
            level.textureByColor[colour] = nullptr;
        level.levelColors.push_back(colour);
    }
    void addObject(uint32_t colour, const std::string& path) {
        level.objectNameByColor[colour] = path;
        level.levelColors.push_back(colour);
    }

    std::vector<std::unique_ptr<NamedTexture>> textures;
    LevelContents level;
};

TEST_F(PageListTest, APageHoldsTheRowsFromItsFirstSlotAndTheCountsFollow) {
    const struct {
        ViewMode view;
        const char* filter;
        int page;
        std::vector<size_t> rows; // positions in levelColors
        int pageCount;
        size_t shown;
    } cases[] = {
        // Unfiltered, a texture's slot is its position: the one without a sprite takes its place.
        {ViewMode::Textures, "", 1, {2, 3}, 2, 3},
        {ViewMode::Textures, "", 2, {}, 2, 3},
        // A filter matches the path whatever the case, or with '#' the colour's leading digits.
        {ViewMode::Textures, "BETA", 0, {2}, 1, 1},
        {ViewMode::Textures, "#0000a", 0, {3}, 1, 1},
        {ViewMode::Textures, "#0001", 0, {}, 1, 0},
        {ViewMode::Objects, "", 0, {4, 5}, 2, 4},
        {ViewMode::Objects, "", 1, {6, 7}, 2, 4},
        // Filtered, the slots are the places among the rows that pass.
        {ViewMode::Objects, "hero", 1, {7}, 2, 3},
        {ViewMode::Objects, "#00001", 0, {4, 5}, 2, 4},
        {ViewMode::Objects, "zzz", 0, {}, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.view == ViewMode::Textures ? "textures" : "objects") +
                     " filter \"" + c.filter + "\" page " + std::to_string(c.page));
        const PageList list(level, c.view, c.filter, 2);
        EXPECT_EQ(list.rowsOfPage(c.page), c.rows);
        EXPECT_EQ(list.pageCount(), c.pageCount);
        EXPECT_EQ(list.shownCount(), c.shown);
    }
}

TEST_F(PageListTest, AColoursPageIsThatOfItsFirstRowThatPasses) {
    const struct {
        ViewMode view;
        const char* filter;
        uint32_t colour;
        int page;
    } cases[] = {
        {ViewMode::Textures, "", 0xFF000003, 1}, // slot 2
        {ViewMode::Textures, "beta", 0xFF000003, 0},
        {ViewMode::Textures, "", 0xFF000002, -1}, // no sprite: not listed
        {ViewMode::Objects, "", 0xFF000010, 0},   // carried twice: the first
        {ViewMode::Objects, "", 0xFF000012, 1},
        {ViewMode::Objects, "hero", 0xFF000012, 0},
        {ViewMode::Objects, "hero", 0xFF000011, -1},
        {ViewMode::Objects, "", 0xFF000001, -1}, // a texture's colour
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + " " + std::to_string(c.colour));
        EXPECT_EQ(PageList(level, c.view, c.filter, 2).pageOf(c.colour), c.page);
    }
}

// A window too low for a row holds none on any page, yet counts its one page per row.
TEST_F(PageListTest, WithNoRoomForARowAPageHoldsNone) {
    const PageList list(level, ViewMode::Objects, "", 0);
    EXPECT_TRUE(list.rowsOfPage(0).empty());
    EXPECT_EQ(list.pageCount(), 4);
    EXPECT_EQ(list.pageOf(0xFF000012), 2);
}

} // namespace
