#include "app/KeyTable.h"
#include "app/FramePacing.h"
#include "app/HeldKeys.h"

#include <SDL_mouse.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <vector>

// Found by the assertions' argument-dependent lookup: ViewState is the global namespace's.
bool operator==(const ViewState& a, const ViewState& b) {
    return a.viewMode == b.viewMode && a.pageIndex == b.pageIndex && a.quit == b.quit &&
           a.background == b.background && a.infoShown == b.infoShown && a.rescan == b.rescan &&
           a.texturesFilter == b.texturesFilter && a.objectsFilter == b.objectsFilter &&
           a.typing == b.typing && a.mapIndex == b.mapIndex && a.painted == b.painted &&
           a.paintedOver == b.paintedOver;
}

std::ostream& operator<<(std::ostream& out, const ViewState& s) {
    return out << "view " << int(s.viewMode) << " page " << s.pageIndex << " quit " << s.quit
               << " background " << int(s.background) << " info " << s.infoShown << " rescan "
               << s.rescan << " filters '" << s.texturesFilter << "' '" << s.objectsFilter
               << "' typing " << s.typing << " map " << s.mapIndex << " painted " << s.painted
               << " over " << s.paintedOver;
}

namespace {

// The keyboard's layout, written out independently of the table under test.
const std::map<SDLKey, int> pageOfKey = {
    {SDLK_1, 0},  {SDLK_2, 1},  {SDLK_3, 2},  {SDLK_4, 3},  {SDLK_5, 4},  {SDLK_6, 5},
    {SDLK_7, 6},  {SDLK_8, 7},  {SDLK_9, 8},  {SDLK_0, 9},  {SDLK_q, 10}, {SDLK_w, 11},
    {SDLK_e, 12}, {SDLK_r, 13}, {SDLK_a, 14}, {SDLK_s, 15}, {SDLK_d, 16}, {SDLK_f, 17},
    {SDLK_z, 18}, {SDLK_x, 19}, {SDLK_c, 20}, {SDLK_v, 21},
};

constexpr ViewMode textures = ViewMode::Textures;
constexpr ViewMode objects = ViewMode::Objects;
constexpr ViewMode collision = ViewMode::CollisionColors;
constexpr ViewMode map = ViewMode::Map;

// The other keys that do something, besides the page keys.
const SDLKey boundKeys[] = {SDLK_ESCAPE,   SDLK_t,     SDLK_o,    SDLK_y,   SDLK_b,
                            SDLK_i,        SDLK_F5,    SDLK_HOME, SDLK_END, SDLK_PAGEUP,
                            SDLK_PAGEDOWN, SDLK_SLASH, SDLK_m};

// A state with the find line: filters on both views, open for typing or not.
ViewState finding(ViewMode mode, int page, const char* texturesFilter, const char* objectsFilter,
                  bool typing) {
    ViewState state{mode, page};
    state.texturesFilter = texturesFilter;
    state.objectsFilter = objectsFilter;
    state.typing = typing;
    return state;
}

// The same, once Escape has quit from page 2 with the line closed.
ViewState quitting(ViewMode mode, const char* texturesFilter, const char* objectsFilter) {
    ViewState state = finding(mode, 2, texturesFilter, objectsFilter, false);
    state.quit = true;
    return state;
}

// A state of the map view (or another view, with the map view's choices kept).
ViewState onMap(int page, size_t mapIndex, bool painted, ViewMode mode = map,
                bool paintedOver = false) {
    ViewState state{mode, page};
    state.mapIndex = mapIndex;
    state.painted = painted;
    state.paintedOver = paintedOver;
    return state;
}

TEST(KeyTable, EachKeyDoesWhatTheTableSays) {
    // A level of 3 textures pages and 24 objects pages, and one of a single page each.
    const PageCounts level{3, 24};
    const PageCounts small{1, 1};
    struct Case {
        ViewState before;
        SDLKey key;
        PageCounts pages;
        ViewState after;
    };
    const ViewState grey{textures, 4, false, Background::Grey, true};
    const Case cases[] = {
        // The views, each keeping the page.
        {{textures, 4}, SDLK_o, level, {objects, 4}},
        {{objects, 4}, SDLK_y, level, {collision, 4}},
        {{collision, 4}, SDLK_t, level, {textures, 4}},
        {{textures, 4}, SDLK_t, level, {textures, 4}},
        // Within the page keys' range too, past the view's end: an empty page.
        {{objects, 21}, SDLK_t, level, {textures, 21}},
        // Past both the page keys' range and the new view's end: its last page.
        {{textures, 211}, SDLK_o, level, {objects, 23}},
        {{objects, 22}, SDLK_t, level, {textures, 2}},
        {{collision, 30}, SDLK_o, level, {objects, 23}},
        {onMap(30, 0, false), SDLK_t, level, onMap(2, 0, false, textures)},
        {{textures, 22}, SDLK_o, level, {objects, 22}},
        // The collision view has no pages to go past, and no view change, no change of page.
        {{objects, 30}, SDLK_y, level, {collision, 30}},
        {{textures, 30}, SDLK_t, level, {textures, 30}},
        // The background's cycle, the overlay, a rescan, quitting.
        {{textures, 4}, SDLK_b, level, {textures, 4, false, Background::Checkerboard}},
        {{textures, 4, false, Background::Checkerboard},
         SDLK_b,
         level,
         {textures, 4, false, Background::Grey}},
        {grey, SDLK_b, level, {textures, 4, false, Background::White, true}},
        {grey, SDLK_i, level, {textures, 4, false, Background::Grey, false}},
        {{objects, 2}, SDLK_i, level, {objects, 2, false, Background::White, true}},
        {{objects, 2}, SDLK_F5, level, {objects, 2, false, Background::White, false, true}},
        {grey, SDLK_ESCAPE, level, {textures, 4, true, Background::Grey, true}},
        // Browsing the textures: 3 pages.
        {{textures, 0}, SDLK_PAGEDOWN, level, {textures, 1}},
        {{textures, 1}, SDLK_PAGEDOWN, level, {textures, 2}},
        {{textures, 2}, SDLK_PAGEDOWN, level, {textures, 2}},
        {{textures, 2}, SDLK_PAGEUP, level, {textures, 1}},
        {{textures, 0}, SDLK_PAGEUP, level, {textures, 0}},
        {{textures, 1}, SDLK_END, level, {textures, 2}},
        {{textures, 2}, SDLK_HOME, level, {textures, 0}},
        // A page past the last one that holds a row, reached with a page key.
        {{textures, 10}, SDLK_PAGEDOWN, level, {textures, 10}},
        {{textures, 10}, SDLK_PAGEUP, level, {textures, 9}},
        {{textures, 10}, SDLK_END, level, {textures, 2}},
        {{textures, 10}, SDLK_HOME, level, {textures, 0}},
        // Browsing the objects: 24 pages, past the page keys' 22.
        {{objects, 21}, SDLK_PAGEDOWN, level, {objects, 22}},
        {{objects, 23}, SDLK_PAGEDOWN, level, {objects, 23}},
        {{objects, 0}, SDLK_END, level, {objects, 23}},
        {{objects, 23}, SDLK_HOME, level, {objects, 0}},
        // One page: nowhere to go.
        {{objects, 0}, SDLK_PAGEDOWN, small, {objects, 0}},
        {{textures, 0}, SDLK_END, small, {textures, 0}},
        // The collision view has no pages to browse; its page stays for the other views.
        {{collision, 4}, SDLK_PAGEDOWN, level, {collision, 4}},
        {{collision, 4}, SDLK_PAGEUP, level, {collision, 4}},
        {{collision, 4}, SDLK_HOME, level, {collision, 4}},
        {{collision, 4}, SDLK_END, level, {collision, 4}},
        // Page keys pick their page in every view, past the level's end too.
        {{collision, 4}, SDLK_9, level, {collision, 8}},
        {{objects, 23}, SDLK_1, level, {objects, 0}},
        // m shows the map view, keeping the map last shown; there it shows the next one.
        {onMap(4, 2, true, objects), SDLK_m, level, onMap(4, 2, true)},
        {onMap(4, 2, false), SDLK_m, level, onMap(4, 3, false)},
        // p toggles the painted colours, in the map view only.
        {onMap(4, 0, false), SDLK_p, level, onMap(4, 0, true)},
        {onMap(4, 0, true), SDLK_p, level, onMap(4, 0, false)},
        {onMap(4, 0, false, textures), SDLK_p, level, onMap(4, 0, false, textures)},
        // l lays the painted colours over the art, with p on too; in the list views it does
        // nothing, and the map view keeps it.
        {onMap(4, 0, false), SDLK_l, level, onMap(4, 0, false, map, true)},
        {onMap(4, 0, true, map, true), SDLK_l, level, onMap(4, 0, true)},
        {onMap(4, 0, false, objects, true), SDLK_l, level, onMap(4, 0, false, objects, true)},
        {onMap(4, 0, false, textures), SDLK_l, level, onMap(4, 0, false, textures)},
        {onMap(4, 0, false, objects, true), SDLK_m, level, onMap(4, 0, false, map, true)},
        // t, o and y go back to their pages, which kept theirs.
        {onMap(4, 1, true), SDLK_t, level, onMap(4, 1, true, textures)},
        {onMap(4, 1, true), SDLK_o, level, onMap(4, 1, true, objects)},
        {onMap(4, 1, true), SDLK_y, level, onMap(4, 1, true, collision)},
        // The page keys, the browsing keys and the find line do nothing there.
        {onMap(4, 0, false), SDLK_9, level, onMap(4, 0, false)},
        {onMap(4, 0, false), SDLK_v, level, onMap(4, 0, false)},
        {onMap(4, 0, false), SDLK_PAGEDOWN, level, onMap(4, 0, false)},
        {onMap(4, 0, false), SDLK_PAGEUP, level, onMap(4, 0, false)},
        {onMap(4, 0, false), SDLK_HOME, level, onMap(4, 0, false)},
        {onMap(4, 0, false), SDLK_END, level, onMap(4, 0, false)},
        {onMap(4, 0, false), SDLK_SLASH, level, onMap(4, 0, false)},
        // Escape still quits, b and i still act.
        {onMap(4, 0, false), SDLK_b, level, {map, 4, false, Background::Checkerboard}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(applyKey(c.before, c.key, c.pages), c.after)
            << "key " << c.key << " from " << c.before;

    // The find line: each key with the character it types.
    struct Typed {
        ViewState before;
        SDLKey key;
        char typed;
        ViewState after;
    };
    const Typed typedCases[] = {
        // `/` opens it on the view shown with its filter, to refine it, on the same page. A
        // key that types '/' on another layout opens it too.
        {finding(textures, 3, "lava", "hero", false), SDLK_SLASH, '/',
         finding(textures, 3, "lava", "hero", true)},
        {finding(objects, 3, "lava", "", false), SDLK_7, '/',
         finding(objects, 3, "lava", "", true)},
        // Not on the collision view.
        {finding(collision, 3, "", "", false), SDLK_SLASH, '/',
         finding(collision, 3, "", "", false)},
        // While it is open the keys type, page keys and view keys too, from the first page.
        {finding(textures, 2, "la", "", true), SDLK_v, 'v', finding(textures, 0, "lav", "", true)},
        {finding(objects, 2, "", "", true), SDLK_1, '1', finding(objects, 0, "", "1", true)},
        {finding(objects, 0, "a", "", true), SDLK_o, 'O', finding(objects, 0, "a", "O", true)},
        {finding(textures, 0, "a", "", true), SDLK_SLASH, '/',
         finding(textures, 0, "a/", "", true)},
        {finding(textures, 0, "", "", true), SDLK_3, '#', finding(textures, 0, "#", "", true)},
        // Keys that type nothing do nothing, Page Down included.
        {finding(textures, 1, "a", "", true), SDLK_PAGEDOWN, 0,
         finding(textures, 1, "a", "", true)},
        {finding(textures, 1, "a", "", true), SDLK_F5, 0, finding(textures, 1, "a", "", true)},
        {finding(textures, 1, "a", "", true), SDLK_LSHIFT, 0, finding(textures, 1, "a", "", true)},
        // Backspace edits; on an empty line it does nothing.
        {finding(textures, 1, "lava", "", true), SDLK_BACKSPACE, 0,
         finding(textures, 0, "lav", "", true)},
        {finding(textures, 1, "", "", true), SDLK_BACKSPACE, 0, finding(textures, 1, "", "", true)},
        // Enter closes it and keeps the filter, on the page shown.
        {finding(textures, 0, "lava", "x", true), SDLK_RETURN, 0,
         finding(textures, 0, "lava", "x", false)},
        {finding(objects, 0, "", "hero", true), SDLK_KP_ENTER, 0,
         finding(objects, 0, "", "hero", false)},
        // Escape clears the filter and closes it; it does not quit.
        {finding(textures, 2, "lava", "x", true), SDLK_ESCAPE, 0,
         finding(textures, 0, "", "x", false)},
        // Closed, Escape clears a kept filter shown and closes its line, without quitting;
        // with none shown it quits.
        {finding(textures, 2, "lava", "x", false), SDLK_ESCAPE, 0,
         finding(textures, 0, "", "x", false)},
        {finding(objects, 2, "lava", "", false), SDLK_ESCAPE, 0, quitting(objects, "lava", "")},
        {finding(collision, 2, "lava", "x", false), SDLK_ESCAPE, 0,
         quitting(collision, "lava", "x")},
        {finding(map, 2, "lava", "x", false), SDLK_ESCAPE, 0, quitting(map, "lava", "x")},
        // Closed, the keys do what they did, filters kept.
        {finding(textures, 0, "lava", "hero", false), SDLK_o, 'o',
         finding(objects, 0, "lava", "hero", false)},
        {finding(textures, 0, "lava", "", false), SDLK_PAGEDOWN, 0,
         finding(textures, 1, "lava", "", false)},
    };
    for (const Typed& c : typedCases)
        EXPECT_EQ(applyKey(c.before, c.key, level, c.typed), c.after)
            << "key " << c.key << " typing '" << c.typed << "' from " << c.before;

    for (const auto& [key, page] : pageOfKey) {
        for (ViewMode mode : {textures, objects, collision}) {
            const ViewState before{mode, 4, false, Background::Grey, true};
            EXPECT_EQ(applyKey(before, key, level),
                      (ViewState{mode, page, false, Background::Grey, true}))
                << "key " << key << " from " << before;
        }
    }
}

TEST(KeyTable, EveryOtherKeyDoesNothing) {
    const ViewState states[] = {
        {textures, 0}, {objects, 5, false, Background::Grey, true}, {collision, 21}};
    for (int symbol = 0; symbol < SDLK_LAST; ++symbol) {
        const SDLKey key = SDLKey(symbol);
        if (pageOfKey.count(key) ||
            std::find(std::begin(boundKeys), std::end(boundKeys), key) != std::end(boundKeys))
            continue;
        for (const ViewState& state : states)
            ASSERT_EQ(applyKey(state, key, PageCounts{3, 24}), state) << "key " << symbol;
    }
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

TEST(KeyTable, OnlyTheKeysThatBrowseActAgainWhileHeld) {
    struct Case {
        ViewState state;
        std::vector<SDLKey> repeating;
    };
    const Case cases[] = {
        {{textures, 0}, {SDLK_PAGEDOWN, SDLK_PAGEUP}},
        {{objects, 5}, {SDLK_PAGEDOWN, SDLK_PAGEUP}},
        {{collision, 2}, {SDLK_PAGEDOWN, SDLK_PAGEUP}},
        {finding(textures, 0, "lava", "", false), {SDLK_PAGEDOWN, SDLK_PAGEUP}},
        // Typing: only Backspace.
        {finding(textures, 0, "lava", "", true), {SDLK_BACKSPACE}},
        {finding(objects, 0, "", "", true), {SDLK_BACKSPACE}},
        // The map view: the arrows and the zoom keys.
        {onMap(0, 0, false),
         {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_PLUS, SDLK_EQUALS, SDLK_KP_PLUS,
          SDLK_MINUS, SDLK_KP_MINUS}},
    };
    for (const Case& c : cases) {
        for (int symbol = 0; symbol < SDLK_LAST; ++symbol) {
            const SDLKey key = SDLKey(symbol);
            const bool expected =
                std::find(c.repeating.begin(), c.repeating.end(), key) != c.repeating.end();
            ASSERT_EQ(keyRepeats(c.state, key), expected)
                << "key " << symbol << " from " << c.state;
        }
    }
}

TEST(KeyTable, TheWheelPagesLikePageUpAndPageDown) {
    EXPECT_EQ(keyOfMouseButton(SDL_BUTTON_WHEELUP), SDLK_PAGEUP);
    EXPECT_EQ(keyOfMouseButton(SDL_BUTTON_WHEELDOWN), SDLK_PAGEDOWN);
    for (uint8_t button : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT})
        EXPECT_EQ(keyOfMouseButton(button), SDLK_UNKNOWN);
}

// A key's key-down or key-up, a wheel step's button press, or the loss of the input focus.
SDL_Event event(uint8_t type, SDLKey key = SDLK_UNKNOWN) {
    SDL_Event made{};
    made.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        made.key.keysym.sym = key;
    else if (type == SDL_MOUSEBUTTONDOWN)
        made.button.button = SDL_BUTTON_WHEELDOWN;
    else if (type == SDL_ACTIVEEVENT)
        made.active.state = SDL_APPINPUTFOCUS;
    return made;
}

TEST(HeldKeys, AHeldKeyRepeatsAfterTheDelayThenAtEachIntervalUntilItComesUp) {
    constexpr uint32_t delay = HeldKeys::repeatDelay, interval = HeldKeys::repeatInterval;
    // Pressed just before the tick counter wraps, which changes nothing.
    for (const uint32_t pressed : {1000u, 0xFFFFFF00u}) {
        HeldKeys held;
        held.note(event(SDL_KEYDOWN, SDLK_PAGEDOWN), true, pressed);
        EXPECT_FALSE(held.due(pressed + delay - 1));
        EXPECT_FALSE(held.repeatDue(pressed + delay - 1));
        EXPECT_TRUE(held.due(pressed + delay));
        const std::optional<SDL_Event> repeat = held.repeatDue(pressed + delay);
        ASSERT_TRUE(repeat);
        EXPECT_EQ(repeat->type, SDL_KEYDOWN);
        EXPECT_EQ(repeat->key.keysym.sym, SDLK_PAGEDOWN);
        EXPECT_FALSE(held.repeatDue(pressed + delay + interval - 1));
        EXPECT_TRUE(held.repeatDue(pressed + delay + interval));
        // A late frame makes one repeat, not a burst.
        EXPECT_TRUE(held.repeatDue(pressed + delay + 10 * interval));
        EXPECT_FALSE(held.repeatDue(pressed + delay + 10 * interval + 1));
        held.note(event(SDL_KEYUP, SDLK_PAGEDOWN), false, pressed + 2000);
        EXPECT_FALSE(held.due(pressed + 60000));
        EXPECT_FALSE(held.repeatDue(pressed + 60000));
    }
}

TEST(HeldKeys, AReleasedKeyOrOneThatDoesNotRepeatNeverRepeatsNorKeepsFramesComing) {
    struct Step {
        SDL_Event event;
        bool repeats;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps; // all at tick 1000
        SDLKey repeating;        // the key still repeating after them, or SDLK_UNKNOWN
    };
    const Case cases[] = {
        {"End then Home, each pressed and released",
         {{event(SDL_KEYDOWN, SDLK_END), false},
          {event(SDL_KEYUP, SDLK_END), false},
          {event(SDL_KEYDOWN, SDLK_HOME), false},
          {event(SDL_KEYUP, SDLK_HOME), false}},
         SDLK_UNKNOWN},
        {"Page Down pressed and released",
         {{event(SDL_KEYDOWN, SDLK_PAGEDOWN), true}, {event(SDL_KEYUP, SDLK_PAGEDOWN), false}},
         SDLK_UNKNOWN},
        {"a wheel step", {{event(SDL_MOUSEBUTTONDOWN), false}}, SDLK_UNKNOWN},
        {"Page Down held, then a key that does not repeat pressed",
         {{event(SDL_KEYDOWN, SDLK_PAGEDOWN), true}, {event(SDL_KEYDOWN, SDLK_END), false}},
         SDLK_UNKNOWN},
        {"Page Down held, then the focus lost",
         {{event(SDL_KEYDOWN, SDLK_PAGEDOWN), true}, {event(SDL_ACTIVEEVENT), false}},
         SDLK_UNKNOWN},
        {"Page Down held, then Page Up: the last pressed repeats, until it comes up",
         {{event(SDL_KEYDOWN, SDLK_PAGEDOWN), true},
          {event(SDL_KEYDOWN, SDLK_PAGEUP), true},
          {event(SDL_KEYUP, SDLK_PAGEDOWN), false}},
         SDLK_PAGEUP},
        {"the same, Page Up released too",
         {{event(SDL_KEYDOWN, SDLK_PAGEDOWN), true},
          {event(SDL_KEYDOWN, SDLK_PAGEUP), true},
          {event(SDL_KEYUP, SDLK_PAGEDOWN), false},
          {event(SDL_KEYUP, SDLK_PAGEUP), false}},
         SDLK_UNKNOWN},
    };
    for (const Case& c : cases) {
        HeldKeys held;
        for (const Step& step : c.steps)
            held.note(step.event, step.repeats, 1000);
        EXPECT_EQ(held.due(60000), c.repeating != SDLK_UNKNOWN) << c.what;
        const std::optional<SDL_Event> repeat = held.repeatDue(60000);
        EXPECT_EQ(repeat ? repeat->key.keysym.sym : SDLK_UNKNOWN, c.repeating) << c.what;
    }
    // Let go of, as for a state in which the key no longer repeats.
    HeldKeys held;
    held.note(event(SDL_KEYDOWN, SDLK_BACKSPACE), true, 1000);
    held.letGo();
    EXPECT_FALSE(held.due(60000));
    EXPECT_FALSE(held.repeatDue(60000));
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
