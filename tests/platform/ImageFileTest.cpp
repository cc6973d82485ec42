#include "platform/ImageFile.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(ImageFile, FilesWithoutAnImageGiveNullSilently) {
    {
        std::ofstream garbage("garbage.png", std::ios::binary);
        garbage << "this is not an image";
    }
    for (const char* path : {"absent.png", "garbage.png", ""}) {
        SCOPED_TRACE(path);
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        bool refused = true;
        EXPECT_EQ(readImage(path, &refused), nullptr);
        EXPECT_FALSE(refused);
        EXPECT_EQ(loadImage(path), nullptr);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
    std::remove("garbage.png");
}

TEST(ImageFile, TheLoadFailureLineNamesThePathAndTheReason) {
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
