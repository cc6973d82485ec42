// The Windows build, unpacked in the folder LEVELCOLORS_WINDOWS names, run under Wine
// (LEVELCOLORS_WINE, default "wine") on a private X server, and compared with the Linux
// build of the same tree on the package's own demo level.
#include "tests/app/ViewerRun.h"
#include "tests/check/CheckRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string environmentOr(const char* name, const std::string& otherwise) {
    const char* value = std::getenv(name);
    return value && *value ? value : otherwise;
}

std::string package() {
    return environmentOr("LEVELCOLORS_WINDOWS", "");
}
std::string wine() {
    return environmentOr("LEVELCOLORS_WINE", "wine");
}
// The demo level, which the package carries as the viewer's data folder.
std::string demoLevel() {
    return package() + "/data";
}

#define SKIP_WITHOUT_WINDOWS_BUILD()                                                               \
    if (package().empty())                                                                         \
    GTEST_SKIP() << "LEVELCOLORS_WINDOWS names no Windows build (scripts/test's Windows stage "    \
                    "sets it)"

// The viewer's streams are text streams, which Windows' C library ends with CRLF.
std::string withUnixLineEnds(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How far apart two screenshots are: the pixels that differ and the largest channel
// difference among them. Screenshots of different sizes differ everywhere.
struct Difference {
    long pixels = 0;
    int channel = 0;
};

Difference compare(const Screenshot& a, const Screenshot& b) {
    if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size())
        return {long(std::max(a.pixels.size(), b.pixels.size())) + 1, 255};
    Difference difference;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        if (a.pixels[i] == b.pixels[i])
            continue;
        ++difference.pixels;
        for (int shift : {0, 8, 16})
            difference.channel =
                std::max(difference.channel, std::abs(int((a.pixels[i] >> shift) & 0xFF) -
                                                      int((b.pixels[i] >> shift) & 0xFF)));
    }
    return difference;
}

// The pages compared, each by the key that picks it, and the map view of the demo's painted
// map (its default view: 16 pixels a cell, animated cells playing).
const std::vector<std::string> pageKeys = {"t", "o", "y", "m"};

bool isAmong(const Screenshot& shot, const std::vector<Screenshot>& frames) {
    return std::any_of(frames.begin(), frames.end(),
                       [&](const Screenshot& frame) { return compare(frame, shot).pixels == 0; });
}

// The frames one viewer has shown of the page picked last, and those of the page before.
struct Seen {
    std::vector<Screenshot> before;
    std::vector<Screenshot> frames;
};

// Takes a screenshot of `viewer` and, when it is a new frame of the page (the page before has
// gone), keeps it and compares it with every frame the other viewer has shown of the page.
void sample(ViewerRun& viewer, Seen& seen, const Seen& other, Difference& best) {
    Screenshot shot = viewer.screenshot();
    if (isAmong(shot, seen.before) || isAmong(shot, seen.frames))
        return;
    for (const Screenshot& frame : other.frames) {
        const Difference difference = compare(shot, frame);
        if (difference.pixels < best.pixels)
            best = difference;
    }
    seen.frames.push_back(std::move(shot));
}

// Picks the page of `key` in both viewers and samples both until a frame of the one equals a
// frame of the other. An animated page plays the same frames in both, though not in step (each
// viewer started on its own), and each goes round its frames again and again, so the wait ends
// on what both have shown, whatever their frame rates; the bound only ends a failing test. Returns
// the nearest two frames seen.
Difference samePage(ViewerRun& onLinux, Seen& linuxSeen, ViewerRun& underWine, Seen& wineSeen,
                    const std::string& key) {
    for (Seen* seen : {&linuxSeen, &wineSeen}) {
        seen->before = std::move(seen->frames);
        seen->frames.clear();
    }
    onLinux.press({key});
    underWine.press({key});
    Difference best{1L << 40, 255};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (best.pixels > 0 && std::chrono::steady_clock::now() < deadline) {
        sample(onLinux, linuxSeen, wineSeen, best);
        sample(underWine, wineSeen, linuxSeen, best);
        ViewerRun::sleepMilliseconds(30);
    }
    return best;
}

// The viewer under Wine in the demo level, its messages through pipes.
std::unique_ptr<ViewerRun> startUnderWine() {
    setenv("SDL_STDIO_REDIRECT", "0", 1);
    return std::make_unique<ViewerRun>(
        demoLevel(), std::vector<std::string>{package() + "/levelcolors.exe"}, wine());
}

} // namespace

TEST(Wine, ThePagesEqualTheLinuxViewersAndEscapeEndsWithStatusZero) {
    SKIP_WITHOUT_WINDOWS_BUILD();
    ViewerRun onLinux(demoLevel());
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<ViewerRun> underWine = startUnderWine();
    std::printf("first frame under Wine after %.1f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    Seen linuxSeen, wineSeen;
    for (const std::string& key : pageKeys) {
        SCOPED_TRACE("page " + key);
        const Difference best = samePage(onLinux, linuxSeen, *underWine, wineSeen, key);
        EXPECT_EQ(best.pixels, 0) << "largest channel difference " << best.channel;
    }
    EXPECT_EQ(onLinux.quit(), 0);
    EXPECT_EQ(underWine->quit(), 0);
    EXPECT_EQ(underWine->standardOutput(), "");
    EXPECT_EQ(underWine->standardError(), "") << "the demo level has no problems";
}

TEST(Wine, AMissingGlLibraryOrEntryPointEndsTheViewerWithItsLine) {
    SKIP_WITHOUT_WINDOWS_BUILD();
    XServer server;
    const std::string overrides = environmentOr("WINEDLLOVERRIDES", "");
    {
        // Wine's own GL library switched off: loading it fails as a missing file would. The
        // line goes where a Windows user finds it, to "stdout.txt" beside the program.
        const std::string messages = package() + "/stdout.txt";
        const std::string problems = package() + "/stderr.txt";
        std::filesystem::remove(messages);
        std::filesystem::remove(problems);
        TestedProgram viewer({wine(), package() + "/levelcolors.exe"}, demoLevel(),
                             {{"DISPLAY", server.display()},
                              {"SDL_STDIO_REDIRECT", ""},
                              {"WINEDLLOVERRIDES", overrides + ";opengl32="}});
        EXPECT_EQ(viewer.wait(60), 1);
        const std::string out = withUnixLineEnds(fileText(messages));
        // SDL removes an empty stderr.txt at exit; under Wine that removal now and then
        // fails, so only its being empty is the viewer's.
        EXPECT_EQ(fileText(problems), "");
        std::filesystem::remove(messages);
        std::filesystem::remove(problems);
        const std::string prefix = "Unable to dynamically open GL lib : ";
        EXPECT_EQ(out.rfind(prefix, 0), 0u) << out;
        EXPECT_GT(out.size(), prefix.size() + 1) << "SDL's error text";
        EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    }
#ifdef LEVELCOLORS_GL_WITHOUT_FONT_ENTRY_POINT
    {
        // A GL library beside the program, preferred to Wine's, that lacks the 47th.
        const std::string library = package() + "/OpenGL32.DLL";
        std::filesystem::copy_file(LEVELCOLORS_GL_WITHOUT_FONT_ENTRY_POINT, library,
                                   std::filesystem::copy_options::overwrite_existing);
        TestedProgram viewer({wine(), package() + "/levelcolors.exe"}, demoLevel(),
                             {{"DISPLAY", server.display()},
                              {"SDL_STDIO_REDIRECT", "0"},
                              {"WINEDLLOVERRIDES", overrides + ";opengl32=n,b"}});
        EXPECT_EQ(viewer.wait(60), 1);
        std::filesystem::remove(library);
        EXPECT_EQ(withUnixLineEnds(viewer.standardOutput()),
                  "Unable to get function pointer for wglUseFontBitmapsA\n");
    }
#else
    ADD_FAILURE() << "no mingw-w64 compiler made the GL library without wglUseFontBitmapsA";
#endif
}

TEST(Wine, TheCheckToolPrintsWhatTheLinuxBuildPrints) {
    SKIP_WITHOUT_WINDOWS_BUILD();
    const CheckRun onLinux = runCheck({}, demoLevel());
    TestedProgram windows({wine(), package() + "/levelcolors-check.exe"}, demoLevel(),
                          {{"DISPLAY", ""}});
    EXPECT_EQ(windows.wait(120), onLinux.status);
    // Byte for byte: its streams are binary, so lines end in LF as on Linux.
    EXPECT_EQ(windows.standardOutput(), onLinux.out);
    EXPECT_EQ(windows.standardError(), onLinux.err);
}
