#include "sprites/ImageSource.h"
#include "platform/ImageFile.h"

#include <gtest/gtest.h>

namespace {

TEST(UnloadableImage, TheLoadFailureLineNamesThePathAndTheReason) {
    EXPECT_EQ(readImage("absent.png"), nullptr);
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
