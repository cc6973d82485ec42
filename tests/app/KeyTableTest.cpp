#include "app/KeyTable.h"
#include "app/FramePacing.h"

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
           a.rescan == b.rescan;
}

TEST(KeyTable, EveryKeyFromEveryStateDoesWhatTheTableSays) {
    const ViewMode modes[] = {ViewMode::Textures, ViewMode::Objects, ViewMode::CollisionColors};
    int changed = 0;
    for (ViewMode mode : modes) {
        for (int page = 0; page <= 21; ++page) {
            const ViewState before{mode, page, false};
            for (int symbol = 0; symbol < SDLK_LAST; ++symbol) {
                const SDLKey key = SDLKey(symbol);
                ViewState expected = before;
                if (key == SDLK_ESCAPE)
                    expected.quit = true;
                else if (key == SDLK_t)
                    expected.viewMode = ViewMode::Textures;
                else if (key == SDLK_o)
                    expected.viewMode = ViewMode::Objects;
                else if (key == SDLK_y)
                    expected.viewMode = ViewMode::CollisionColors;
                else if (key == SDLK_F5)
                    expected.rescan = true;
                else if (pageOfKey.count(key))
                    expected.pageIndex = pageOfKey.at(key);
                const ViewState after = applyKey(before, key);
                ASSERT_TRUE(after == expected)
                    << "key " << symbol << " from page " << page << " view " << int(mode);
                changed += !(after == before);
            }
        }
    }
    EXPECT_GT(changed, 0);
}

TEST(KeyTable, KeysAfterEscapeStillApplyAndQuitStays) {
    ViewState state;
    for (SDLKey key : {SDLK_o, SDLK_ESCAPE, SDLK_3, SDLK_y, SDLK_t})
        state = applyKey(state, key);
    EXPECT_TRUE(state.quit);
    EXPECT_EQ(state.pageIndex, 2);
    EXPECT_EQ(state.viewMode, ViewMode::Textures);
    // Shifted letters arrive as the same lower-case symbols; keypad digits are not bound.
    EXPECT_EQ(applyKey(ViewState{}, SDLK_KP1).pageIndex, 0);
    EXPECT_EQ(applyKey(ViewState{ViewMode::Textures, 5, false}, SDLK_KP1).pageIndex, 5);
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
