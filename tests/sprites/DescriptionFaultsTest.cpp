#include "sprites/AnimatedSprite.h"
#include "sprites/ShowOneSprite.h"
#include "sprites/SpriteCatalog.h"
#include "tests/sprites/SpriteTesting.h"

#include <vector>

namespace {

TEST(SpriteDescriptionFaults, AFileNamingItselfYieldsANullPartWithOneLine) {
    writeImage("cycle_self.png", 6, 6, red);
    writeText("cycle_self.txt", "(showone (sprite (filename cycle_self.txt))\n"
                                "  (sprite (filename cycle_self.png)))\n");
    Sprite* sprite = nullptr;
    EXPECT_EQ(stderrOf([&] { sprite = getSprite("cycle_self.txt"); }),
              "Sprite description names itself: cycle_self.txt\n");
    auto* showOne = dynamic_cast<ShowOneSprite*>(sprite);
    ASSERT_NE(showOne, nullptr);
    EXPECT_EQ(showOne->parts, (std::vector<Sprite*>{nullptr, getSprite("cycle_self.png")}));
    EXPECT_EQ(SpriteCatalog::get().sprites.at("cycle_self.txt"), sprite);
    EXPECT_TRUE(SpriteCatalog::get().loading.empty());
    // Built and stored once: later requests are clones, without a word.
    Sprite* clone = nullptr;
    EXPECT_EQ(stderrOf([&] { clone = getSprite("cycle_self.txt"); }), "");
    EXPECT_NE(clone, nullptr);
    EXPECT_NE(clone, sprite);
}

TEST(SpriteDescriptionFaults, ACycleThroughOtherFilesIsCutWhereItWouldClose) {
    writeImage("cycle_frame.png", 6, 6, blue);
    // outer -> middle -> inner -> outer, and middle names itself again through inner.
    writeText("cycle_outer.txt",
              "(animated (loop) (sprite (filename cycle_middle.txt) (time 2)))\n");
    writeText("cycle_middle.txt", "(showone (sprite (filename cycle_inner.txt)))\n");
    writeText("cycle_inner.txt", "(animated (sprite (filename cycle_outer.txt) (time 1))\n"
                                 "  (sprite (filename cycle_middle.txt) (time 1))\n"
                                 "  (sprite (filename cycle_frame.png) (time 1)))\n");
    Sprite* outer = nullptr;
    EXPECT_EQ(stderrOf([&] { outer = getSprite("cycle_outer.txt"); }),
              "Sprite description names itself: cycle_outer.txt\n"
              "Sprite description names itself: cycle_middle.txt\n");
    auto* animation = dynamic_cast<AnimatedSprite*>(outer);
    ASSERT_NE(animation, nullptr);
    auto& catalog = SpriteCatalog::get();
    EXPECT_TRUE(catalog.loading.empty());
    auto* middle = dynamic_cast<ShowOneSprite*>(catalog.sprites.at("cycle_middle.txt"));
    auto* inner = dynamic_cast<AnimatedSprite*>(catalog.sprites.at("cycle_inner.txt"));
    ASSERT_NE(middle, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(animation->frames.at(0).sprite, middle);
    EXPECT_EQ(middle->parts, std::vector<Sprite*>{inner});
    ASSERT_EQ(inner->frames.size(), 3u);
    EXPECT_EQ(inner->frames[0].sprite, nullptr);
    EXPECT_EQ(inner->frames[1].sprite, nullptr);
    EXPECT_EQ(inner->frames[2].sprite, getSprite("cycle_frame.png"));

    // Everything that could be built draws and animates: inner shows nothing until its
    // picture comes up, at clock 2.
    for (int tick = 0; tick < 12; ++tick) {
        clearWindow();
        outer->draw(0, 0, 0);
        outer->update();
        inner->update();
        readWindow();
    }
    inner->reset();
    inner->update();
    inner->update();
    clearWindow();
    animation->reset();
    animation->draw(0, 0, 0);
    EXPECT_EQ(boundsOf(readWindow(), blue), (Rect{0, 0, 6, 6}));
}

TEST(SpriteDescriptionFaults, WordsWhereEntriesOrItemsBelongAreReportedAndSkipped) {
    writeImage("word_part.png", 10, 10, green);
    writeText("word_one.txt", "(showone stray\n"
                              "  (sprite loose (filename word_part.png) (origin 2 3) x)\n"
                              "  ()\n"
                              "  (sprite () (size) (origin))\n"
                              "  (size 7 8))\n");
    writeText("word_anim.txt", "(animated\n"
                               "  (sprite (filename word_part.png) odd (time 2))\n"
                               "  loose ()\n"
                               "  (sprite () (time 3)))\n");
    ShowOneSprite* showOne = nullptr;
    EXPECT_EQ(stderrOf([&] { showOne = dynamic_cast<ShowOneSprite*>(getSprite("word_one.txt")); }),
              "0: Attempt to getList on atomic element: stray\n"
              "1: Attempt to getList on atomic element: loose\n"
              "1: Attempt to getList on atomic element: x\n");
    ASSERT_NE(showOne, nullptr);
    Sprite* part = getSprite("word_part.png");
    EXPECT_EQ(showOne->parts, (std::vector<Sprite*>{part, nullptr}));
    EXPECT_EQ(part->placement, (Rect{2, 3, 10, 10}));
    EXPECT_EQ(showOne->box, (Rect{0, 0, 7, 8}));

    AnimatedSprite* animation = nullptr;
    EXPECT_EQ(
        stderrOf([&] { animation = dynamic_cast<AnimatedSprite*>(getSprite("word_anim.txt")); }),
        "1: Attempt to getList on atomic element: odd\n"
        "2: Attempt to getList on atomic element: loose\n");
    ASSERT_NE(animation, nullptr);
    ASSERT_EQ(animation->frames.size(), 2u);
    EXPECT_EQ(animation->frames[1].sprite, part);
    EXPECT_EQ(animation->frames[1].start, 2);
    EXPECT_EQ(animation->duration, 5);
}

TEST(SpriteDescriptionFaults, AnAnimationWithoutFramesIsReportedAndDrawsNothing) {
    writeText("nofr_loop.txt", "(animated (loop))\n");
    writeText("nofr_plain.txt", "(animated (name nothing) ; no frames\n)\n");
    std::vector<AnimatedSprite*> sprites;
    EXPECT_EQ(stderrOf([&] {
                  for (const char* name : {"nofr_loop.txt", "nofr_plain.txt"})
                      sprites.push_back(dynamic_cast<AnimatedSprite*>(getSprite(name)));
              }),
              "Malformed animated sprites file: nofr_loop.txt\n"
              "Malformed animated sprites file: nofr_plain.txt\n");
    clearWindow();
    for (AnimatedSprite* sprite : sprites) {
        ASSERT_NE(sprite, nullptr);
        EXPECT_TRUE(sprite->frames.empty());
        EXPECT_EQ(sprite->placement, (Rect{0, 0, 0, 0}));
        sprite->draw(5, 5, 0);
        for (int tick = 0; tick < 3; ++tick) {
            sprite->update();
            EXPECT_EQ(sprite->currentFrame, -1);
            sprite->draw(5, 5, 0);
            sprite->drawCropped(5, 5, Rect{0, 0, 4, 4});
        }
        sprite->reset();
        sprite->draw(5, 5, 0);
        Sprite* clone = sprite->clone();
        clone->update();
        clone->draw(5, 5, 0);
    }
    EXPECT_EQ(sprites[0]->clock, 0);
    EXPECT_TRUE(isBlank(readWindow()));
}

TEST(SpriteDescriptionFaults, ALoopWhoseTimesAddUpToZeroHoldsItsFirstFrame) {
    writeImage("zero_a.png", 4, 4, red);
    writeImage("zero_b.png", 4, 4, blue);
    writeText("zero_loop.txt", "(animated (loop) (sprite (filename zero_a.png) (time 0))\n"
                               "  (sprite (filename zero_b.png)))\n");
    writeText("zero_once.txt", "(animated (sprite (filename zero_a.png) (time 0))\n"
                               "  (sprite (filename zero_b.png)))\n");
    auto* looping = dynamic_cast<AnimatedSprite*>(getSprite("zero_loop.txt"));
    auto* once = dynamic_cast<AnimatedSprite*>(getSprite("zero_once.txt"));
    ASSERT_NE(looping, nullptr);
    ASSERT_NE(once, nullptr);
    EXPECT_EQ(looping->duration, 0);
    for (int tick = 0; tick < 5; ++tick) {
        looping->update();
        EXPECT_EQ(looping->clock, 0);
        EXPECT_EQ(looping->currentFrame, 0);
    }
    clearWindow();
    looping->draw(0, 0, 0);
    EXPECT_EQ(boundsOf(readWindow(), red), (Rect{0, 0, 4, 4}));
    // Played once, the same file ends on its last frame after one tick.
    once->update();
    once->update();
    EXPECT_EQ(once->clock, 1);
    EXPECT_EQ(once->currentFrame, 1);
}

TEST(SpriteDescriptionFaults, FramesWithoutFileOrTimeStartAtZeroAndDrawNothing) {
    writeImage("nofile_b.png", 6, 6, blue);
    writeImage("nofile_c.png", 9, 9, green);
    // The first entry has neither file nor time; the size comes from the first picture.
    writeText("nofile.txt", "(animated (loop) (sprite (origin 1 1))\n"
                            "  (sprite (filename nofile_b.png) (time 2))\n"
                            "  (sprite (filename nofile_c.png) (time 2)))\n");
    AnimatedSprite* sprite = nullptr;
    EXPECT_EQ(stderrOf([&] { sprite = dynamic_cast<AnimatedSprite*>(getSprite("nofile.txt")); }),
              "Animated sprite not of consistent size: nofile_c.png conflicts in nofile.txt\n");
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->frames.size(), 3u);
    EXPECT_EQ(sprite->frames[0].sprite, nullptr);
    EXPECT_EQ(sprite->frames[0].start, 0);
    EXPECT_EQ(sprite->frames[1].start, 0);
    EXPECT_EQ(sprite->placement, (Rect{0, 0, 6, 6}));
    clearWindow();
    sprite->draw(0, 0, 0);
    EXPECT_TRUE(isBlank(readWindow()));
    sprite->update();
    clearWindow();
    sprite->draw(0, 0, 0);
    EXPECT_EQ(boundsOf(readWindow(), blue), (Rect{0, 0, 6, 6}));
    sprite->reset();
    EXPECT_EQ(sprite->currentFrame, 0);
}

TEST(SpriteDescriptionFaults, AnUnreadableDescriptionIsAnUnknownType) {
    Sprite* sprite = reinterpret_cast<Sprite*>(1);
    const std::string messages = stderrOf([&] { sprite = getSprite("fault_missing.txt"); });
    EXPECT_EQ(sprite, nullptr);
    // The reader names the file; the factory adds the empty type word.
    const std::string tail = "Sprite type  unknown.\n";
    ASSERT_GE(messages.size(), tail.size());
    EXPECT_EQ(messages.substr(messages.size() - tail.size()), tail);
    EXPECT_NE(messages.find("fault_missing.txt"), std::string::npos) << messages;
    EXPECT_EQ(SpriteCatalog::get().sprites.count("fault_missing.txt"), 1u);
}

TEST(SpriteDescriptionFaults, ShortEntriesReadMissingValuesAsZero) {
    writeImage("short_part.png", 10, 10, green);
    writeText("short_one.txt", "(showone (size) (sprite (filename short_part.png) (origin 3)))\n");
    ShowOneSprite* sprite = nullptr;
    // The element model reports the missing value it is asked for; nothing reads past it.
    EXPECT_EQ(stderrOf([&] { sprite = dynamic_cast<ShowOneSprite*>(getSprite("short_one.txt")); }),
              "-1: Attempt to firstInt on empty list\n"
              "-1: Attempt to firstInt on empty list\n");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->box, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(getSprite("short_part.png")->placement, (Rect{3, 0, 10, 10}));
}

TEST(SpriteDescriptionFaults, HugeTimesWrapInsteadOfOverflowing) {
    writeImage("huge_a.png", 4, 4, red);
    writeImage("huge_b.png", 4, 4, blue);
    const std::string frames = "  (sprite (filename huge_a.png) (time 2147483647))\n"
                               "  (sprite (filename huge_b.png) (time 3)))\n";
    writeText("huge_once.txt", "(animated\n" + frames);
    writeText("huge_loop.txt", "(animated (loop)\n" + frames);
    for (const char* name : {"huge_once.txt", "huge_loop.txt"}) {
        auto* sprite = dynamic_cast<AnimatedSprite*>(getSprite(name));
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->frames.at(1).start, 2147483647);
        EXPECT_EQ(sprite->duration, -2147483646);
        // A negative total leaves the clock where it is.
        for (int tick = 0; tick < 3; ++tick)
            sprite->update();
        EXPECT_EQ(sprite->clock, 0);
        EXPECT_EQ(sprite->currentFrame, 0);
        // At the top of the range the clock wraps rather than overflowing.
        sprite->duration = 2147483647;
        sprite->clock = 2147483647;
        sprite->update();
        sprite->reset();
    }
}

} // namespace
