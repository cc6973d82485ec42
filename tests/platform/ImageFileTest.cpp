#include "platform/ImageFile.h"

#include <SDL.h>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(ImageFile, FilesWithoutAnImageGiveNullSilentlyWithTheirReason) {
    {
        std::ofstream garbage("garbage.png", std::ios::binary);
        garbage << "this is not an image";
    }
    const struct {
        const char* path;
        const char* reason;
    } cases[] = {
        {"absent.png", "Couldn't open absent.png"},
        {"garbage.png", "Unsupported image format"},
        {"", "Couldn't open "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        std::string reason;
        EXPECT_EQ(readImage(c.path, &reason), nullptr);
        EXPECT_EQ(reason, c.reason);
        reason.clear();
        EXPECT_EQ(loadImage(c.path, &reason), nullptr);
        EXPECT_EQ(reason, c.reason);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
    std::remove("garbage.png");
}

TEST(ImageFile, AFileThatCannotBeOpenedLeavesSdlsErrorTextAlone) {
    SDL_SetError("set before");
    std::string refusal, reason;
    EXPECT_EQ(decodeImageFile("absent.png", refusal, reason), nullptr);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(reason, "Couldn't open absent.png");
    EXPECT_STREQ(SDL_GetError(), "set before");
}

TEST(ImageFile, ARefusedFileIsNamedOnceAndGivesNoReason) {
    std::string refusal, reason;
    EXPECT_EQ(decodeImageFile(".", refusal, reason), nullptr);
    EXPECT_EQ(refusal, "not a regular file");
    EXPECT_EQ(reason, "");
    DiagnosticList sink;
    reason = "stale";
    EXPECT_EQ(readImage(".", &reason, sink), nullptr);
    EXPECT_EQ(reason, "");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].written(), ".: not a regular file");
}

} // namespace
