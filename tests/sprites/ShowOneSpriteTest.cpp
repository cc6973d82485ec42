#include "sprites/ShowOneSprite.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/SpriteCatalog.h"
#include "tests/sprites/SpriteTesting.h"

namespace {

ShowOneSprite* showOne(const std::string& name) {
    return dynamic_cast<ShowOneSprite*>(getSprite(name));
}

TEST(ShowOneSprite, ReadsPartsSizeAndOriginsAsTheFileOrdersThem) {
    writeImage("one_a.png", 8, 8, red);
    writeImage("one_b.png", 12, 6, blue);
    writeImage("one_c.png", 4, 4, green);
    // "size" last; two filenames (the second wins, its origin applies to it alone); an origin
    // before any filename; a "sprite" entry without filename; unknown keys and items.
    writeText("one_parts.txt", "(showone\n"
                               " (sprite (origin 7 7) (filename one_a.png))\n"
                               " (sprite (filename one_c.png) (origin 1 1) (filename one_b.png)\n"
                               "         (origin 5 -3) (colour green))\n"
                               " (sprite (origin 2 2))\n"
                               " (name whatever) (sprite)\n"
                               " (size 40 70000))\n");
    writeText("one_sizefirst.txt", "(showone (size 40 70000) (sprite (filename one_a.png)))\n");
    ShowOneSprite* sprite = nullptr;
    EXPECT_EQ(stderrOf([&] { sprite = showOne("one_parts.txt"); }), "");
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->parts.size(), 4u);
    EXPECT_EQ(sprite->parts[0], getSprite("one_a.png"));
    EXPECT_EQ(sprite->parts[1], getSprite("one_b.png"));
    EXPECT_EQ(sprite->parts[2], nullptr);
    EXPECT_EQ(sprite->parts[3], nullptr);
    EXPECT_EQ(getSprite("one_a.png")->placement, (Rect{0, 0, 8, 8}));
    EXPECT_EQ(getSprite("one_b.png")->placement, (Rect{5, -3, 12, 6}));
    EXPECT_EQ(getSprite("one_c.png")->placement, (Rect{1, 1, 4, 4}));
    // Sizes are kept to 16 bits; fields the file does not set start at defined values.
    EXPECT_EQ(sprite->box, (Rect{0, 0, 40, 4464}));
    EXPECT_EQ(sprite->placement, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(sprite->facing, -1);
    EXPECT_EQ(sprite->texture, 0u);
    EXPECT_EQ(sprite->shownPart, 0);

    ShowOneSprite* sizeFirst = showOne("one_sizefirst.txt");
    ASSERT_NE(sizeFirst, nullptr);
    EXPECT_EQ(sizeFirst->box, sprite->box);
    EXPECT_EQ(sizeFirst->parts, std::vector<Sprite*>{getSprite("one_a.png")});
}

TEST(ShowOneSprite, DrawsItsShownPartLendingItsFacingAndBoxOnlyForTheCall) {
    writeImage("one_lend.png", 16, 16, red, blue);
    writeText("one_lend.txt",
              "(showone (size 40 9) (sprite (filename one_lend.png) (origin 3 5)))\n");
    ShowOneSprite* sprite = showOne("one_lend.txt");
    ASSERT_NE(sprite, nullptr);
    Sprite* part = getSprite("one_lend.png");
    const Rect partBox = part->getBox();

    clearWindow();
    sprite->draw(100, 50, 0);
    Screenshot shot = readWindow();
    EXPECT_EQ(boundsOf(shot, red), (Rect{97, 45, 8, 16}));

    // Mirrored within the showone's 40 wide box: x offset 16 - 40 - 3.
    sprite->facing = 1;
    clearWindow();
    sprite->draw(100, 50, 0);
    shot = readWindow();
    EXPECT_EQ(boundsOf(shot, blue), (Rect{127, 45, 8, 16}));
    EXPECT_EQ(boundsOf(shot, red), (Rect{135, 45, 8, 16}));
    EXPECT_EQ(part->facing, -1);
    EXPECT_EQ(part->getBox(), partBox);
    EXPECT_EQ(part->placement, (Rect{3, 5, 16, 16}));

    // drawCropped uses none of the showone's own image fields: it is draw in mode 1.
    clearWindow();
    sprite->drawCropped(100, 50, Rect{0, 0, 2, 2});
    EXPECT_EQ(boundsOf(readWindow(), red), (Rect{135, 45, 8, 16}));
    clearWindow();
    sprite->draw(100, 50, 2);
    EXPECT_TRUE(isBlank(readWindow()));
}

TEST(ShowOneSprite, ClonesShareThePartsAndAreDestroyedByReleaseClones) {
    writeImage("one_clone.png", 10, 10, green);
    writeText("one_clone.txt", "(showone (size 12 14) (sprite (filename one_clone.png)))\n");
    ShowOneSprite* prototype = showOne("one_clone.txt");
    ASSERT_NE(prototype, nullptr);
    prototype->facing = 1;
    prototype->placement = {1, 2, 3, 4};
    prototype->shownPart = 0;

    auto* clone = dynamic_cast<ShowOneSprite*>(getSprite("one_clone.txt"));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->parts, prototype->parts);
    EXPECT_EQ(clone->getName(), "one_clone.txt");
    EXPECT_EQ(clone->placement, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(clone->box, (Rect{0, 0, 12, 14}));
    EXPECT_EQ(clone->facing, -1);
    EXPECT_EQ(clone->shownPart, 0);
    EXPECT_TRUE(clone->clones.empty());
    clearWindow();
    clone->draw(20, 30, 0);
    EXPECT_EQ(boundsOf(readWindow(), green), (Rect{20, 30, 10, 10}));

    // A clone's own clone belongs to the clone and goes with it.
    clone->clone();
    prototype->clone();
    EXPECT_EQ(prototype->clones.size(), 2u);
    prototype->releaseClones();
    EXPECT_TRUE(prototype->clones.empty());
    EXPECT_EQ(prototype->parts, std::vector<Sprite*>{getSprite("one_clone.png")});
    // Later requests clone again.
    Sprite* later = getSprite("one_clone.txt");
    ASSERT_EQ(prototype->clones.size(), 1u);
    EXPECT_EQ(prototype->clones[0].get(), later);
    prototype->releaseClones();
}

TEST(ShowOneSprite, UpdatesItsShownPartAndResetsEveryPart) {
    writeImage("one_up_a.png", 8, 8, red);
    writeImage("one_up_b.png", 8, 8, blue);
    writeText("one_up_anim.txt", "(animated (sprite (filename one_up_a.png) (time 1))\n"
                                 "  (sprite (filename one_up_b.png) (time 1)))\n");
    writeText("one_up_anim2.txt", "(animated (sprite (filename one_up_a.png) (time 1))\n"
                                  "  (sprite (filename one_up_b.png) (time 1)))\n");
    writeText("one_up.txt", "(showone (sprite (filename one_up_anim.txt))\n"
                            "  (sprite (filename one_up_anim2.txt)))\n");
    ShowOneSprite* sprite = showOne("one_up.txt");
    ASSERT_NE(sprite, nullptr);
    auto* shown = dynamic_cast<AnimatedSprite*>(sprite->parts.at(0));
    auto* other = dynamic_cast<AnimatedSprite*>(sprite->parts.at(1));
    ASSERT_NE(shown, nullptr);
    ASSERT_NE(other, nullptr);
    sprite->update();
    EXPECT_EQ(shown->clock, 1);
    EXPECT_EQ(other->clock, 0);
    clearWindow();
    sprite->draw(0, 0, 0);
    EXPECT_EQ(boundsOf(readWindow(), blue), (Rect{0, 0, 8, 8}));
    other->update();
    sprite->reset();
    EXPECT_EQ(shown->clock, 0);
    EXPECT_EQ(shown->currentFrame, 0);
    EXPECT_EQ(other->clock, 0);
}

TEST(ShowOneSprite, WithoutAPartToShowItDrawsUpdatesAndResetsNothing) {
    writeText("one_empty.txt", "(showone (size 8 8))\n");
    writeText("one_nofile.txt", "(showone (sprite (origin 1 2)) (sprite (filename one_x.bmp)))\n");
    ShowOneSprite* empty = showOne("one_empty.txt");
    ShowOneSprite* noFile = nullptr;
    EXPECT_EQ(stderrOf([&] { noFile = showOne("one_nofile.txt"); }), "Invalid sprite extension\n");
    ASSERT_NE(empty, nullptr);
    ASSERT_NE(noFile, nullptr);
    EXPECT_EQ(noFile->parts, (std::vector<Sprite*>{nullptr, nullptr}));
    clearWindow();
    for (ShowOneSprite* sprite : {empty, noFile}) {
        sprite->draw(10, 10, 0);
        sprite->drawCropped(10, 10, Rect{0, 0, 4, 4});
        sprite->update();
        sprite->reset();
        // A shown index out of range is no part either.
        sprite->shownPart = 5;
        sprite->draw(10, 10, 0);
        sprite->update();
        sprite->shownPart = -1;
        sprite->draw(10, 10, 0);
        sprite->update();
    }
    EXPECT_TRUE(isBlank(readWindow()));
}

} // namespace
