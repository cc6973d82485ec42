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

} // namespace
