#include "sprites/AnimatedSprite.h"
#include "sprites/SpriteCatalog.h"
#include "tests/sprites/SpriteTesting.h"

#include <vector>

namespace {

AnimatedSprite* animated(const std::string& name) {
    return dynamic_cast<AnimatedSprite*>(getSprite(name));
}

// Two 8 by 8 frames, A red and B blue, each file unique to the test.
void writeFrames(const std::string& prefix) {
    writeImage(prefix + "_a.png", 8, 8, red);
    writeImage(prefix + "_b.png", 8, 8, blue);
}

// The colour drawn by the animation at (0, 0), or black when it draws nothing.
uint32_t shownColour(Sprite* sprite) {
    clearWindow();
    sprite->draw(0, 0, 0);
    return readWindow().at(0, 0);
}

// currentFrame after each of `ticks` updates.
std::vector<int32_t> framesOver(AnimatedSprite* sprite, int ticks) {
    std::vector<int32_t> shown;
    for (int i = 0; i < ticks; ++i) {
        sprite->update();
        shown.push_back(sprite->currentFrame);
    }
    return shown;
}

TEST(AnimatedSprite, PlaysOnceAndRestsOnItsLastFrameUntilReset) {
    writeFrames("anim_once");
    writeText("anim_once.txt", "(animated\n"
                               "  (sprite (filename anim_once_a.png) (time 3))\n"
                               "  (sprite (filename anim_once_b.png) (time 2)))\n");
    AnimatedSprite* sprite = animated("anim_once.txt");
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->frames.size(), 2u);
    EXPECT_EQ(sprite->frames[0].start, 0);
    EXPECT_EQ(sprite->frames[1].start, 3);
    EXPECT_EQ(sprite->duration, 5);
    EXPECT_FALSE(sprite->loop);
    EXPECT_EQ(sprite->placement, (Rect{0, 0, 8, 8}));
    EXPECT_EQ(sprite->box, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(sprite->facing, -1);
    EXPECT_EQ(shownColour(sprite), red);

    std::vector<uint32_t> colours;
    std::vector<int32_t> clocks;
    for (int tick = 0; tick < 9; ++tick) {
        sprite->update();
        colours.push_back(shownColour(sprite));
        clocks.push_back(sprite->clock);
    }
    EXPECT_EQ(colours, (std::vector<uint32_t>{red, red, blue, blue, blue, blue, blue, blue, blue}));
    EXPECT_EQ(clocks, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 6, 6, 6}));

    sprite->reset();
    EXPECT_EQ(sprite->clock, 0);
    EXPECT_EQ(sprite->currentFrame, 0);
    EXPECT_EQ(sprite->duration, 5);
    EXPECT_EQ(shownColour(sprite), red);
    EXPECT_EQ(framesOver(sprite, 7), (std::vector<int32_t>{0, 0, 1, 1, 1, 1, 1}));
}

TEST(AnimatedSprite, LoopsShowingEachFrameForItsTime) {
    writeFrames("anim_loop");
    writeText("anim_loop.txt", "(animated (loop)\n"
                               "  (sprite (filename anim_loop_a.png) (time 3))\n"
                               "  (sprite (filename anim_loop_b.png) (time 2)))\n");
    AnimatedSprite* sprite = animated("anim_loop.txt");
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->loop);
    std::vector<uint32_t> colours;
    std::vector<int32_t> clocks;
    for (int tick = 0; tick < 10; ++tick) {
        sprite->update();
        colours.push_back(shownColour(sprite));
        clocks.push_back(sprite->clock);
    }
    EXPECT_EQ(colours,
              (std::vector<uint32_t>{red, red, blue, blue, red, red, red, blue, blue, red}));
    EXPECT_EQ(clocks, (std::vector<int32_t>{1, 2, 3, 4, 0, 1, 2, 3, 4, 0}));
}

TEST(AnimatedSprite, AnimatesUntilItRestsAndALoopForEverUnlessItHasNoPeriod) {
    writeFrames("anim_still");
    const std::string frames = "  (sprite (filename anim_still_a.png) (time 3))\n"
                               "  (sprite (filename anim_still_b.png) (time 2)))\n";
    writeText("anim_still_once.txt", "(animated\n" + frames);
    writeText("anim_still_loop.txt", "(animated (loop)\n" + frames);
    writeText("anim_still_none.txt", "(animated (loop)\n"
                                     "  (sprite (filename anim_still_a.png) (time 0)))\n");
    writeText("anim_still_part.txt", "(showone (sprite (filename anim_still_loop.txt)))\n");
    AnimatedSprite* once = animated("anim_still_once.txt");
    AnimatedSprite* loop = animated("anim_still_loop.txt");
    ASSERT_NE(once, nullptr);
    ASSERT_NE(loop, nullptr);
    // The clock goes 1 to 6, then stays: the sixth update is the last that changes it.
    std::vector<bool> moving;
    for (int tick = 0; tick < 8; ++tick) {
        moving.push_back(once->animates());
        once->update();
        EXPECT_TRUE(loop->animates());
        loop->update();
    }
    EXPECT_EQ(moving, (std::vector<bool>{true, true, true, true, true, true, false, false}));
    once->reset();
    EXPECT_TRUE(once->animates());
    Sprite* none = getSprite("anim_still_none.txt");
    ASSERT_NE(none, nullptr);
    none->update();
    EXPECT_FALSE(none->animates());
    EXPECT_FALSE(getSprite("anim_still_a.png")->animates());
    Sprite* part = getSprite("anim_still_part.txt");
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->animates());
}

TEST(AnimatedSprite, AFrameOfTimeZeroIsNeverShown) {
    writeImage("anim_zero_a.png", 4, 4, red);
    writeImage("anim_zero_z.png", 4, 4, green);
    writeImage("anim_zero_b.png", 4, 4, blue);
    const std::string frames = "  (sprite (filename anim_zero_a.png) (time 2))\n"
                               "  (sprite (filename anim_zero_z.png) (time 0))\n"
                               "  (sprite (filename anim_zero_b.png) (time 2)))\n";
    writeText("anim_zero.txt", "(animated\n" + frames);
    writeText("anim_zero_loop.txt", "(animated (loop)\n" + frames);
    AnimatedSprite* once = animated("anim_zero.txt");
    AnimatedSprite* looping = animated("anim_zero_loop.txt");
    ASSERT_NE(once, nullptr);
    ASSERT_NE(looping, nullptr);
    EXPECT_EQ(framesOver(once, 7), (std::vector<int32_t>{0, 2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(framesOver(looping, 8), (std::vector<int32_t>{0, 2, 2, 0, 0, 2, 2, 0}));
}

TEST(AnimatedSprite, TheFrameRecordCarriesFromEntryToEntry) {
    writeFrames("anim_carry");
    // The second entry has only a time: it repeats A's picture. The third has only a file:
    // it repeats the second's start and adds nothing to the duration.
    writeText("anim_carry.txt", "(animated\n"
                                "  (sprite (filename anim_carry_a.png) (time 2))\n"
                                "  (sprite (time 3))\n"
                                "  (sprite (filename anim_carry_b.png)))\n");
    AnimatedSprite* sprite = animated("anim_carry.txt");
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->frames.size(), 3u);
    Sprite* a = getSprite("anim_carry_a.png");
    EXPECT_EQ(sprite->frames[0].sprite, a);
    EXPECT_EQ(sprite->frames[1].sprite, a);
    EXPECT_EQ(sprite->frames[2].sprite, getSprite("anim_carry_b.png"));
    EXPECT_EQ(sprite->frames[1].start, 2);
    EXPECT_EQ(sprite->frames[2].start, 2);
    EXPECT_EQ(sprite->duration, 5);
    // Frame 1 shares frame 2's start, so it is skipped for frame 2.
    EXPECT_EQ(framesOver(sprite, 4), (std::vector<int32_t>{0, 2, 2, 2}));
}

TEST(AnimatedSprite, ASecondTimeItemMovesTheEntrysStartOn) {
    writeFrames("anim_twice");
    writeText("anim_twice.txt", "(animated\n"
                                "  (sprite (filename anim_twice_a.png) (time 3) (time 2))\n"
                                "  (sprite (filename anim_twice_b.png) (time 1)))\n");
    AnimatedSprite* sprite = animated("anim_twice.txt");
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->frames.size(), 2u);
    EXPECT_EQ(sprite->frames[0].start, 3);
    EXPECT_EQ(sprite->frames[1].start, 5);
    EXPECT_EQ(sprite->duration, 6);
    // Before the first frame's start no frame is found, and nothing is drawn.
    EXPECT_EQ(framesOver(sprite, 7), (std::vector<int32_t>{-1, -1, 0, 0, 1, 1, 1}));
    sprite->reset();
    sprite->update();
    EXPECT_EQ(shownColour(sprite), black);
    sprite->update();
    sprite->update();
    EXPECT_EQ(shownColour(sprite), red);
}

TEST(AnimatedSprite, ClonesKeepTheirOwnClocksOverTheSameFrameSprites) {
    writeFrames("anim_clones");
    writeText("anim_clones.txt", "(animated (loop)\n"
                                 "  (sprite (filename anim_clones_a.png) (time 3))\n"
                                 "  (sprite (filename anim_clones_b.png) (time 2)))\n");
    AnimatedSprite* prototype = animated("anim_clones.txt");
    ASSERT_NE(prototype, nullptr);
    prototype->update();
    prototype->box = {0, 0, 30, 30};
    prototype->facing = 1;
    auto* early = dynamic_cast<AnimatedSprite*>(getSprite("anim_clones.txt"));
    auto* late = dynamic_cast<AnimatedSprite*>(getSprite("anim_clones.txt"));
    ASSERT_NE(early, nullptr);
    ASSERT_NE(late, nullptr);
    ASSERT_EQ(prototype->clones.size(), 2u);
    EXPECT_EQ(prototype->clones[0].get(), early);
    EXPECT_EQ(prototype->clones[1].get(), late);
    for (AnimatedSprite* clone : {early, late}) {
        EXPECT_EQ(clone->clock, 0);
        EXPECT_EQ(clone->currentFrame, 0);
        EXPECT_EQ(clone->duration, 5);
        EXPECT_TRUE(clone->loop);
        EXPECT_EQ(clone->box, (Rect{0, 0, 30, 30}));
        EXPECT_EQ(clone->placement, (Rect{0, 0, 8, 8}));
        EXPECT_EQ(clone->facing, -1);
        EXPECT_TRUE(clone->clones.empty());
        ASSERT_EQ(clone->frames.size(), 2u);
        EXPECT_EQ(clone->frames[0].sprite, prototype->frames[0].sprite);
        EXPECT_EQ(clone->frames[1].sprite, prototype->frames[1].sprite);
    }
    early->update();
    for (int i = 0; i < 3; ++i)
        late->update();
    EXPECT_EQ(early->clock, 1);
    EXPECT_EQ(late->clock, 3);
    EXPECT_EQ(prototype->clock, 1);
    EXPECT_EQ(shownColour(early), red);
    EXPECT_EQ(shownColour(late), blue);

    // The clones' memory is the prototype's to free (checked by the leak sanitizer).
    late->clone();
    prototype->releaseClones();
    EXPECT_TRUE(prototype->clones.empty());
    prototype->facing = -1;
    EXPECT_EQ(prototype->frames[0].sprite, getSprite("anim_clones_a.png"));
    EXPECT_EQ(shownColour(prototype), red);
}

TEST(AnimatedSprite, FramesOfAnotherSizeAreReportedAndStretchedToTheFirstFramesSize) {
    writeImage("anim_size_1.png", 32, 32, red);
    writeImage("anim_size_2.png", 32, 32, green);
    writeImage("anim_size_3.png", 16, 32, blue);
    writeImage("anim_size_4.png", 32, 20, yellow);
    writeText("anim_size.txt", "(animated\n"
                               "  (sprite (filename anim_size_1.png) (time 1))\n"
                               "  (sprite (filename anim_size_2.png) (time 1) (origin 5 5))\n"
                               "  (sprite (filename anim_size_3.png) (time 1))\n"
                               "  (sprite (filename anim_size_4.png) (time 1)))\n");
    AnimatedSprite* sprite = nullptr;
    EXPECT_EQ(stderrOf([&] { sprite = animated("anim_size.txt"); }),
              "Animated sprite not of consistent size: anim_size_3.png conflicts in "
              "anim_size.txt\n"
              "Animated sprite not of consistent size: anim_size_4.png conflicts in "
              "anim_size.txt\n");
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->frames.size(), 4u);
    // "origin" is not an item of animations.
    EXPECT_EQ(getSprite("anim_size_2.png")->placement, (Rect{0, 0, 32, 32}));

    sprite->update();
    sprite->update();
    ASSERT_EQ(sprite->currentFrame, 2);
    clearWindow();
    sprite->draw(10, 10, 0);
    EXPECT_EQ(boundsOf(readWindow(), blue), (Rect{10, 10, 32, 32}));
    // The frame sprite keeps the size it was lent, for all its users.
    EXPECT_EQ(getSprite("anim_size_3.png")->placement, (Rect{0, 0, 32, 32}));
}

TEST(AnimatedSprite, DrawingLendsPlacementAndBoxForGoodButFacingOnlyForTheCall) {
    writeImage("anim_lend.png", 16, 16, red, blue);
    writeText("anim_lend.txt", "(animated (sprite (filename anim_lend.png) (time 4)))\n");
    AnimatedSprite* sprite = animated("anim_lend.txt");
    ASSERT_NE(sprite, nullptr);
    Sprite* frame = getSprite("anim_lend.png");
    sprite->placement = {3, 5, 16, 16};
    sprite->box = {1, 2, 40, 3};
    sprite->facing = 1;
    clearWindow();
    sprite->draw(100, 50, 0);
    const Screenshot shot = readWindow();
    EXPECT_EQ(boundsOf(shot, blue), (Rect{127, 45, 8, 16}));
    EXPECT_EQ(boundsOf(shot, red), (Rect{135, 45, 8, 16}));
    EXPECT_EQ(frame->placement, (Rect{3, 5, 16, 16}));
    EXPECT_EQ(frame->box, (Rect{1, 2, 40, 3}));
    EXPECT_EQ(frame->facing, -1);
}

TEST(AnimatedSprite, DrawCroppedStretchesTheCurrentFrameInViewCoordinates) {
    writeImage("anim_crop.png", 32, 32, red, blue);
    writeText("anim_crop.txt", "(animated (sprite (filename anim_crop.png) (time 4)))\n");
    AnimatedSprite* sprite = animated("anim_crop.txt");
    ASSERT_NE(sprite, nullptr);
    clearWindow();
    sprite->drawCropped(10, 20, Rect{0, 0, 8, 4});
    const Screenshot shot = readWindow();
    // The whole frame, squeezed: half red, half blue.
    EXPECT_EQ(boundsOf(shot, red), (Rect{10, 20, 4, 4}));
    EXPECT_EQ(boundsOf(shot, blue), (Rect{14, 20, 4, 4}));
    EXPECT_EQ(sprite->placement, (Rect{0, 0, 32, 32}));
    EXPECT_EQ(getSprite("anim_crop.png")->placement, (Rect{0, 0, 8, 4}));
    clearWindow();
    sprite->drawCropped(-8, 20, Rect{0, 0, 8, 4});
    EXPECT_TRUE(isBlank(readWindow()));
    sprite->draw(10, 20, 0);
    EXPECT_EQ(getSprite("anim_crop.png")->placement, (Rect{0, 0, 32, 32}));
}

TEST(AnimatedSprite, TimesAreReadAsAtoiDoes) {
    writeFrames("anim_atoi");
    writeText("anim_atoi.txt", "(animated\n"
                               "  (sprite (filename anim_atoi_a.png) (time 4ticks))\n"
                               "  (sprite (filename anim_atoi_b.png) (time (7)))\n"
                               "  (sprite (time abc))\n"
                               "  (sprite (time -2))\n"
                               "  (sprite (time)))\n");
    AnimatedSprite* sprite = nullptr;
    EXPECT_EQ(stderrOf([&] { sprite = animated("anim_atoi.txt"); }), "");
    ASSERT_NE(sprite, nullptr);
    std::vector<int32_t> starts;
    for (const AnimationFrame& frame : sprite->frames)
        starts.push_back(frame.start);
    EXPECT_EQ(starts, (std::vector<int32_t>{0, 4, 4, 4, 2}));
    EXPECT_EQ(sprite->duration, 2);
}

} // namespace
