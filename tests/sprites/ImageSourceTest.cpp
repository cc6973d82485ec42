#include "sprites/ImageSource.h"
#include "platform/ImageFile.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

namespace {

TEST(UnloadableImage, TheLoadFailureLineNamesThePathAndTheReason) {
    std::string reason;
    EXPECT_EQ(readImage("absent.png", &reason), nullptr);
    EXPECT_EQ(unloadableImage("absent.png", reason).written(),
              "Unable to load image absent.png : Couldn't open absent.png");
}

TEST(UnloadableImage, ReportedAfterTheImageLibraryFailedItTakesTheLibrarysReason) {
    EXPECT_EQ(IMG_Load("absent.png"), nullptr);
    ::testing::internal::CaptureStderr();
    reportUnloadableImage("absent.png");
    const std::string line = ::testing::internal::GetCapturedStderr();
    const std::string prefix = "Unable to load image absent.png : ";
    ASSERT_EQ(line.compare(0, prefix.size(), prefix), 0) << line;
    EXPECT_GT(line.size(), prefix.size() + 1) << "SDL_image's reason follows";
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line";
}

} // namespace
