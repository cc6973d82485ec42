#include "platform/LibraryOutput.h"
#include "platform/DecodePool.h"
#include "platform/ImageFile.h"

#include <SDL.h>
#include <cstdio>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace {

struct Line {
    std::string where;
    std::string text;
};

void write(const char* text) {
    std::fputs(text, stderr);
}

// What was written while a capture held, as its lines reported about "a.png".
std::vector<Line> linesOf(LibraryOutput& output) {
    DiagnosticList sink;
    output.report("a.png", sink);
    std::vector<Line> lines;
    for (const Diagnostic& line : sink.items) {
        EXPECT_EQ(line.kind, DiagnosticKind::Library);
        EXPECT_EQ(line.file, "a.png");
        EXPECT_EQ(line.line, std::nullopt);
        lines.push_back({line.where, line.text});
    }
    return lines;
}

bool operator==(const Line& a, const Line& b) {
    return a.where == b.where && a.text == b.text;
}

void PrintTo(const Line& line, std::ostream* out) {
    *out << '"' << line.where << "\" + \"" << line.text << '"';
}

const struct {
    const char* written;
    std::vector<Line> lines;
} splitCases[] = {
    {"", {}},
    {"libpng warning: iCCP: known incorrect sRGB profile\n",
     {{"", "libpng warning: iCCP: known incorrect sRGB profile"}}},
    {"libpng error: IDAT: CRC error\n", {{"libpng error: ", "IDAT: CRC error"}}},
    {"libpng warning: one\nlibpng error: two\n",
     {{"", "libpng warning: one"}, {"libpng error: ", "two"}}},
    {"a line left open", {{"", "a line left open"}}},
    {"before\n\nafter\n", {{"", "before"}, {"", ""}, {"", "after"}}},
    {"another error: not libpng's\n", {{"", "another error: not libpng's"}}},
};

TEST(LibraryOutput, WhatAThreadWritesComesBackALineEachAndTheNextReportStartsAfresh) {
    if (!LibraryOutput::threadsOwnTheirs())
        GTEST_SKIP() << "this system gives no thread a standard error of its own";
    std::thread worker([] {
        LibraryOutput output(LibraryOutput::Scope::Thread);
        ASSERT_TRUE(output.catching());
        for (const auto& c : splitCases) {
            SCOPED_TRACE(c.written);
            write(c.written);
            EXPECT_EQ(linesOf(output), c.lines);
        }
    });
    worker.join();
}

TEST(LibraryOutput, AThreadsCaptureLeavesTheOtherThreadsStandardErrorAlone) {
    if (!LibraryOutput::threadsOwnTheirs())
        GTEST_SKIP() << "this system gives no thread a standard error of its own";
    std::promise<void> caught, written;
    std::vector<Line> lines;
    ::testing::internal::CaptureStderr();
    std::thread worker([&] {
        LibraryOutput output(LibraryOutput::Scope::Thread);
        caught.set_value();
        written.get_future().wait();
        write("the worker's\n");
        lines = linesOf(output);
    });
    caught.get_future().wait();
    write("this thread's\n");
    written.set_value();
    worker.join();
    write("after\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "this thread's\nafter\n");
    EXPECT_EQ(lines, (std::vector<Line>{{"", "the worker's"}}));
}

TEST(LibraryOutput, TheProcessCaptureRestoresStandardErrorAndDropsWhatWasNotReported) {
    ::testing::internal::CaptureStderr();
    {
        LibraryOutput output(LibraryOutput::Scope::Process);
        ASSERT_TRUE(output.catching());
        write("libpng error: reported\n");
        EXPECT_EQ(linesOf(output), (std::vector<Line>{{"libpng error: ", "reported"}}));
        write("never reported\n");
    }
    write("after\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "after\n");
}

// A file whose signature is PNG's and whose first chunk is not: libpng says why itself.
void writeTornPng(const std::string& path) {
    std::ofstream(path, std::ios::binary) << std::string("\x89PNG\r\n\x1a\nthis is no image");
}

TEST(LibraryOutput, LibpngsLineComesWithTheDecodedFileWhetherWorkersOrTheTakerDecode) {
    writeTornPng("torn.png");
    writeTornPng("torn2.png");
    const auto decode = [](const std::string& path) {
        DecodePool::Decoded decoded;
        std::string refusal;
        decoded.value = decodeImageFile(path, refusal, decoded.reason);
        return decoded;
    };
    const auto release = [](void* surface) { SDL_FreeSurface(static_cast<SDL_Surface*>(surface)); };
    for (unsigned threads : {0u, 2u}) {
        SCOPED_TRACE(std::to_string(threads) + " workers");
        ::testing::internal::CaptureStderr();
        DecodePool pool(decode, release, threads, size_t(1) << 20);
        pool.request("torn.png");
        pool.request("torn2.png");
        for (const char* path : {"torn.png", "torn2.png"}) {
            const DecodePool::Decoded decoded = pool.take(path);
            EXPECT_EQ(decoded.value, nullptr);
            EXPECT_EQ(decoded.reason, "Error reading the PNG file.");
            // Where no worker has a standard error of its own, their lines go straight to it.
            if (threads > 0 && !LibraryOutput::threadsOwnTheirs())
                continue;
            ASSERT_EQ(decoded.library.size(), 1u);
            EXPECT_EQ(decoded.library[0].file, path);
            EXPECT_EQ(decoded.library[0].where, "libpng error: ");
            EXPECT_FALSE(decoded.library[0].text.empty());
        }
        const std::string direct = ::testing::internal::GetCapturedStderr();
        if (threads == 0 || LibraryOutput::threadsOwnTheirs()) {
            EXPECT_EQ(direct, "");
        }
    }
    std::remove("torn.png");
    std::remove("torn2.png");
}

} // namespace
