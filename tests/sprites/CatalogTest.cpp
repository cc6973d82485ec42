#include "sprites/AnimatedSprite.h"
#include "sprites/ShowOneSprite.h"
#include "sprites/SpriteCatalog.h"
#include "tests/sprites/SpriteTesting.h"

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

namespace {

size_t stored(const std::string& name) {
    return SpriteCatalog::get().sprites.count(name);
}

TEST(SpriteCatalog, ImageNamesGiveOneSharedSpriteWithTheImagesSize) {
    writeImage("cat_shared.png", 100, 37, red);
    Sprite* first = getSprite("cat_shared.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(getSprite("cat_shared.png"), first);
    EXPECT_EQ(stored("cat_shared.png"), 1u);
    EXPECT_EQ(typeid(*first), typeid(Sprite));
    EXPECT_EQ(first->getName(), "cat_shared.png");
    // The texture is made when the sprite is first drawn, with the window worked out before.
    EXPECT_EQ(first->texture, 0u);
    EXPECT_TRUE(first->awaitsUpload());
    EXPECT_NE(first->uploadedTexture(), 0u);
    EXPECT_FALSE(first->awaitsUpload());
    EXPECT_EQ(first->placement, (Rect{0, 0, 100, 37}));
    EXPECT_EQ(first->box, (Rect{0, 0, 100, 37}));
    EXPECT_EQ(first->texCoords, (TexCoords{0, 0, 0.78125f, 0.578125f}));
    EXPECT_EQ(first->facing, -1);
}

TEST(SpriteCatalog, OnlyTheLastThreeLettersPngOrTxtAreValidExtensions) {
    writeImage("cat_A.PNG", 4, 4, red);
    writeImage("cat_a.jpg", 4, 4, red);
    for (const std::string name : {"cat_A.PNG", "cat_a.jpg", "xt", ""}) {
        // Not stored: every request reports again.
        for (int request = 0; request < 2; ++request) {
            Sprite* sprite = reinterpret_cast<Sprite*>(1);
            EXPECT_EQ(stderrOf([&] { sprite = getSprite(name); }), "Invalid sprite extension\n")
                << name;
            EXPECT_EQ(sprite, nullptr);
            EXPECT_EQ(stored(name), 0u);
        }
    }
    // No dot needed.
    writeImage("catpng", 6, 5, red);
    Sprite* undotted = getSprite("catpng");
    ASSERT_NE(undotted, nullptr);
    EXPECT_EQ(undotted->placement, (Rect{0, 0, 6, 5}));
}

TEST(SpriteCatalog, NamesAreNotNormalised) {
    ASSERT_EQ(system("mkdir -p catdir"), 0);
    writeImage("catdir/n.png", 4, 4, red);
    writeImage("cat_n.png", 4, 4, red);
    Sprite* plain = getSprite("cat_n.png");
    Sprite* dotted = getSprite("./cat_n.png");
    Sprite* nested = getSprite("catdir/n.png");
    Sprite* doubled = getSprite("catdir//n.png");
    for (Sprite* s : {plain, dotted, nested, doubled})
        ASSERT_NE(s, nullptr);
    EXPECT_NE(plain, dotted);
    EXPECT_NE(nested, doubled);
    EXPECT_EQ(dotted->getName(), "./cat_n.png");
    EXPECT_EQ(doubled->placement, (Rect{0, 0, 4, 4}));
}

TEST(SpriteCatalog, DescriptionsAreBuiltByTheirTypeWordAndClonedOnLaterRequests) {
    writeImage("cat_part.png", 8, 8, red);
    writeText("cat_one.txt", "(showone (sprite (filename cat_part.png)))\n");
    writeText("cat_anim.txt", "(animated (sprite (filename cat_part.png) (time 2)))\n");

    std::string messages = stderrOf([] {
        Sprite* prototype = getSprite("cat_one.txt");
        auto* showOne = dynamic_cast<ShowOneSprite*>(prototype);
        ASSERT_NE(showOne, nullptr);
        Sprite* second = getSprite("cat_one.txt");
        Sprite* third = getSprite("cat_one.txt");
        EXPECT_NE(second, prototype);
        EXPECT_NE(third, second);
        EXPECT_NE(dynamic_cast<ShowOneSprite*>(second), nullptr);
        ASSERT_EQ(showOne->clones.size(), 2u);
        EXPECT_EQ(showOne->clones[0].get(), second);
        EXPECT_EQ(showOne->clones[1].get(), third);
        EXPECT_EQ(SpriteCatalog::get().sprites.at("cat_one.txt"), prototype);

        Sprite* animated = getSprite("cat_anim.txt");
        ASSERT_NE(dynamic_cast<AnimatedSprite*>(animated), nullptr);
        EXPECT_EQ(animated->getName(), "cat_anim.txt");
    });
    EXPECT_EQ(messages, "");
    EXPECT_TRUE(SpriteCatalog::get().loading.empty());
}

TEST(SpriteCatalog, AnUnknownTypeWordIsReportedOnceAndStoredAsNull) {
    writeText("cat_capital.txt", "(Showone (sprite (filename cat_whatever.png)))\n");
    Sprite* sprite = reinterpret_cast<Sprite*>(1);
    EXPECT_EQ(stderrOf([&] { sprite = getSprite("cat_capital.txt"); }),
              "Sprite type Showone unknown.\n");
    EXPECT_EQ(sprite, nullptr);
    ASSERT_EQ(stored("cat_capital.txt"), 1u);
    EXPECT_EQ(SpriteCatalog::get().sprites.at("cat_capital.txt"), nullptr);
    EXPECT_EQ(stderrOf([&] { sprite = getSprite("cat_capital.txt"); }), "");
    EXPECT_EQ(sprite, nullptr);
    // Its entries were never read, so the image it names was never requested.
    EXPECT_EQ(stored("cat_whatever.png"), 0u);
}

TEST(SpriteCatalog, AnUnreadableImageGivesAnEmptySpriteThatDrawsNothing) {
    Sprite* sprite = nullptr;
    const std::string messages = stderrOf([&] { sprite = getSprite("cat_missing.png"); });
    EXPECT_EQ(messages.rfind("Unable to load image cat_missing.png : ", 0), 0u) << messages;
    EXPECT_EQ(std::count(messages.begin(), messages.end(), '\n'), 1);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->texture, 0u);
    EXPECT_EQ(sprite->placement, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(sprite->box, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(getSprite("cat_missing.png"), sprite);

    // Even at a size given by a user, it draws nothing rather than an untextured quad.
    sprite->placement.w = 8;
    sprite->placement.h = 8;
    clearWindow();
    sprite->draw(10, 10, 0);
    sprite->draw(10, 10, 1);
    sprite->drawCropped(10, 10, Rect{0, 0, 4, 4});
    EXPECT_TRUE(isBlank(readWindow()));
}

TEST(SpriteCatalog, WithoutAnImageReaderAnImageSpriteIsUnloadedWithAReason) {
    writeImage("cat_unread.png", 4, 4, red);
    SpriteCatalog& catalog = SpriteCatalog::get();
    CatalogSources without = catalog.sources();
    without.images = nullptr;
    const CatalogSources before = catalog.use(without);
    Sprite* sprite = nullptr;
    const std::string messages = stderrOf([&] { sprite = getSprite("cat_unread.png"); });
    catalog.use(before);
    EXPECT_EQ(messages, "Unable to load image cat_unread.png : no image reader is set\n");
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->unloaded);
    EXPECT_EQ(sprite->texture, 0u);
    EXPECT_EQ(sprite->placement, (Rect{0, 0, 0, 0}));
}

} // namespace
