#include "app/KeyTable.h"
#include "app/FramePacing.h"

#include <SDL_mouse.h>
#include <gtest/gtest.h>
#include <map>

namespace {

// The keyboard's layout, written out independently of the table under test.
const std::map<SDLKey, int> pageOfKey = {
    {SDLK_1, 0},  {SDLK_2, 1},  {SDLK_3, 2},  {SDLK_4, 3},  {SDLK_5, 4},  {SDLK_6, 5},
    {SDLK_7, 6},  {SDLK_8, 7},  {SDLK_9, 8},  {SDLK_0, 9},  {SDLK_q, 10}, {SDLK_w, 11},
    {SDLK_e, 12}, {SDLK_r, 13}, {SDLK_a, 14}, {SDLK_s, 15}, {SDLK_d, 16}, {SDLK_f, 17},
    {SDLK_z, 18}, {SDLK_x, 19}, {SDLK_c, 20}, {SDLK_v, 21},
};

bool operator==(const ViewState& a, const ViewState& b) {
    return a.viewMode == b.viewMode && a.pageIndex == b.pageIndex && a.quit == b.quit &&
           a.background == b.background && a.infoShown == b.infoShown && a.rescan == b.rescan;
}

// The browsing keys as a person expects them, for a view with `count` pages holding rows.
int pageAfterBrowsing(SDLKey key, int page, int count) {
    switch (key) {
    case SDLK_PAGEDOWN:
        return page + 1 < count ? page + 1 : page;
    case SDLK_PAGEUP:
        return page > 0 ? page - 1 : 0;
    case SDLK_HOME:
        return 0;
    default:
        return count - 1; // End
    }
}

TEST(KeyTable, EveryKeyFromEveryStateDoesWhatTheTableSays) {
    const ViewMode modes[] = {ViewMode::Textures, ViewMode::Objects, ViewMode::CollisionColors};
    const Background backgrounds[] = {Background::White, Background::Checkerboard,
                                      Background::Grey};
    // Small levels (every page key past the last page), and one of many pages.
    const PageCounts levels[] = {{1, 1}, {3, 24}, {200, 40}};
    int changed = 0;
    for (const PageCounts pages : levels) {
        for (ViewMode mode : modes) {
            for (int page = 0; page <= 25; ++page) {
                for (int shade = 0; shade < 3; ++shade) {
                    for (bool info : {false, true}) {
                        const ViewState before{mode, page, false, backgrounds[shade], info};
                        for (int symbol = 0; symbol < SDLK_LAST; ++symbol) {
                            const SDLKey key = SDLKey(symbol);
                            ViewState expected = before;
                            const bool browsing = key == SDLK_PAGEDOWN || key == SDLK_PAGEUP ||
                                                  key == SDLK_HOME || key == SDLK_END;
                            if (key == SDLK_ESCAPE)
                                expected.quit = true;
                            else if (key == SDLK_t)
                                expected.viewMode = ViewMode::Textures;
                            else if (key == SDLK_o)
                                expected.viewMode = ViewMode::Objects;
                            else if (key == SDLK_y)
                                expected.viewMode = ViewMode::CollisionColors;
                            else if (key == SDLK_b)
                                expected.background = backgrounds[(shade + 1) % 3];
                            else if (key == SDLK_i)
                                expected.infoShown = !info;
                            else if (key == SDLK_F5)
                                expected.rescan = true;
                            else if (pageOfKey.count(key))
                                expected.pageIndex = pageOfKey.at(key);
                            else if (browsing && mode != ViewMode::CollisionColors)
                                expected.pageIndex = pageAfterBrowsing(
                                    key, page,
                                    mode == ViewMode::Textures ? pages.textures : pages.objects);
                            const ViewState after = applyKey(before, key, pages);
                            ASSERT_TRUE(after == expected)
                                << "key " << symbol << " from page " << page << " view "
                                << int(mode) << " of " << pages.textures << "/" << pages.objects;
                            changed += !(after == before);
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(changed, 0);
}

TEST(KeyTable, KeysAfterEscapeStillApplyAndQuitStays) {
    const PageCounts pages;
    ViewState state;
    for (SDLKey key : {SDLK_o, SDLK_ESCAPE, SDLK_3, SDLK_y, SDLK_t})
        state = applyKey(state, key, pages);
    EXPECT_TRUE(state.quit);
    EXPECT_EQ(state.pageIndex, 2);
    EXPECT_EQ(state.viewMode, ViewMode::Textures);
    // Shifted letters arrive as the same lower-case symbols; keypad digits are not bound.
    EXPECT_EQ(applyKey(ViewState{}, SDLK_KP1, pages).pageIndex, 0);
    EXPECT_EQ(applyKey(ViewState{ViewMode::Textures, 5, false}, SDLK_KP1, pages).pageIndex, 5);
}

TEST(KeyTable, TheWheelPagesLikePageUpAndPageDown) {
    EXPECT_EQ(keyOfMouseButton(SDL_BUTTON_WHEELUP), SDLK_PAGEUP);
    EXPECT_EQ(keyOfMouseButton(SDL_BUTTON_WHEELDOWN), SDLK_PAGEDOWN);
    for (uint8_t button : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT})
        EXPECT_EQ(keyOfMouseButton(button), SDLK_UNKNOWN);
}

TEST(FramePacing, SixteenMillisecondsInUnsignedArithmetic) {
    EXPECT_FALSE(framePeriodPassed(1000, 1000));
    EXPECT_FALSE(framePeriodPassed(1015, 1000));
    EXPECT_TRUE(framePeriodPassed(1016, 1000));
    EXPECT_TRUE(framePeriodPassed(5000, 1000)); // a slow frame is followed by no wait
    // The tick counter wraps past 2^32 without stalling the loop.
    EXPECT_FALSE(framePeriodPassed(5, 0xFFFFFFF6u));
    EXPECT_TRUE(framePeriodPassed(6, 0xFFFFFFF6u));
    EXPECT_TRUE(framePeriodPassed(0x10, 0xFFFFFFFFu));
}

} // namespace
