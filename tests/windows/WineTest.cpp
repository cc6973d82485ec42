// The Windows build, unpacked in the folder LEVELCOLORS_WINDOWS names, run under Wine
// (LEVELCOLORS_WINE, default "wine") on a private X server, and compared with the Linux
// build of the same tree on the package's own demo level; one case edits a copy of it.
#include "platform/PngPixels.h"
#include "tests/app/ViewerMapLevel.h"
#include "tests/app/ViewerRun.h"
#include "tests/app/ViewerScreen.h"
#include "tests/check/CheckRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

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

// The viewer under Wine in `folder` (the demo level), its messages through pipes.
std::unique_ptr<ViewerRun> startUnderWine(const std::string& folder = demoLevel()) {
    setenv("SDL_STDIO_REDIRECT", "0", 1);
    return std::make_unique<ViewerRun>(
        folder, std::vector<std::string>{package() + "/levelcolors.exe"}, wine());
}

// A copy of the demo level in a folder of its own, removed afterwards: the cases that compare
// the package's own data folder never see an edit.
class DemoCopy {
  public:
    DemoCopy() {
        std::string name = (std::filesystem::temp_directory_path() / "levelcolors-wine-XXXXXX");
        if (!mkdtemp(name.data()))
            throw std::runtime_error("no temporary folder for the demo level's copy");
        path_ = name;
        std::filesystem::copy(demoLevel(), path_, std::filesystem::copy_options::recursive);
    }
    ~DemoCopy() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    DemoCopy(const DemoCopy&) = delete;
    DemoCopy& operator=(const DemoCopy&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

uint64_t inodeOf(const std::string& path) {
    struct stat status = {};
    return stat(path.c_str(), &status) == 0 ? uint64_t(status.st_ino) : 0;
}

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The map's pixels read back on Linux (0xAARRGGBB), or none when it cannot be read.
std::vector<uint32_t> mapPixels(const std::string& path, int& width) {
    int height = 0;
    std::vector<uint32_t> pixels;
    readPngPixels(path, width, height, pixels);
    return pixels;
}

// The recovery copies Windows programs under Wine keep in %LOCALAPPDATA%\levelcolors\recovery
// inside the prefix (WINEPREFIX, default ~/.wine), whoever the prefix's user is.
std::vector<std::string> recoveryCopiesUnderWine() {
    const std::string prefix = environmentOr("WINEPREFIX", environmentOr("HOME", "") + "/.wine");
    std::vector<std::string> copies;
    std::error_code error;
    const std::filesystem::path users = prefix + "/drive_c/users";
    for (std::filesystem::recursive_directory_iterator
             it(users, std::filesystem::directory_options::skip_permission_denied, error),
         end;
         !error && it != end; it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() == ".png" && path.parent_path().filename() == "recovery" &&
            path.parent_path().parent_path().filename() == "levelcolors")
            copies.push_back(path.string());
    }
    return copies;
}

// The centre of a cell at 16 pixels a cell, which the grid of edit mode leaves alone.
int centreX(int column) {
    return cellX(column) + 8;
}
int centreY(int row) {
    return cellY(row) + 8;
}

// The caption and status lines above the map's cells differ from `before`'s.
Sight linesChangedFrom(const Screenshot& before, const std::string& what) {
    return {what, [=](const Screenshot& shot) {
                for (int y = 0; y < cellY(0); ++y)
                    for (int x = 0; x < shot.width; ++x)
                        if (shot.at(x, y) != before.at(x, y))
                            return true;
                return false;
            }};
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

TEST(Wine, ARightClickPicksALeftClickPaintsAndCtrlSReplacesTheMapReadBackOnLinux) {
    SKIP_WITHOUT_WINDOWS_BUILD();
    const DemoCopy level;
    const std::string map = level.path() + "/levels/valley.png";
    int width = 0;
    const std::vector<uint32_t> before = mapPixels(map, width);
    ASSERT_FALSE(before.empty());
    const uint64_t inode = inodeOf(map);
    const std::set<std::string> files = namesIn(level.path() + "/levels");
    // The demo's valley: grass at 1,1 is picked and painted over the roof at 2,2.
    constexpr uint32_t grass = 0x00AA00, roof = 0xFF5500;
    constexpr int pickedColumn = 1, pickedRow = 1, paintedColumn = 2, paintedRow = 2;
    const auto marker = [&](int column, int row) { return before[size_t(row * width + column)]; };
    ASSERT_EQ(marker(pickedColumn, pickedRow), 0xFF000000u | grass);
    ASSERT_EQ(marker(paintedColumn, paintedRow), 0xFF000000u | roof);

    std::unique_ptr<ViewerRun> viewer = startUnderWine(level.path());
    // The painted colours hold still, each cell's centre its marker.
    viewer->press({"m", "p"});
    viewer->waitFor(both(pixelIs(centreX(pickedColumn), centreY(pickedRow), grass),
                         pixelIs(centreX(paintedColumn), centreY(paintedRow), roof)));
    // Editing draws the grid on each cell's first pixel: between the two roof cells 2,2 and 3,2.
    viewer->press({"e"});
    Screenshot shot = viewer->waitFor("the grid of edit mode", [&](const Screenshot& s) {
        return s.at(cellX(3), centreY(2)) != roof && s.at(cellX(3) + 1, centreY(2)) == roof;
    });
    ASSERT_TRUE(
        viewer->driver().clickWith(viewer->window(), centreX(pickedColumn), centreY(pickedRow), 3));
    shot = viewer->waitFor(linesChangedFrom(shot, "the status line naming the brush"));
    ASSERT_TRUE(
        viewer->driver().click(viewer->window(), centreX(paintedColumn), centreY(paintedRow)));
    shot = viewer->waitFor(both(pixelIs(centreX(paintedColumn), centreY(paintedRow), grass),
                                linesChangedFrom(shot, "the caption marking unsaved edits")));
    EXPECT_EQ(shot.at(centreX(3), centreY(2)), roof); // one cell painted, not a stroke
    EXPECT_EQ(inodeOf(map), inode);
    std::vector<uint32_t> expected = before;
    expected[size_t(paintedRow * width + paintedColumn)] = 0xFF000000u | grass;

    // The first edit is copied to the recovery folder at once, on the viewer's own thread:
    // waited for on the folder, then read back.
    const auto copyOfEdit = [&] {
        for (const std::string& each : recoveryCopiesUnderWine()) {
            int copyWidth = 0;
            if (mapPixels(each, copyWidth) == expected)
                return each;
        }
        return std::string();
    };
    viewer->waitFor("a recovery copy of the painted map",
                    [&](const Screenshot&) { return !copyOfEdit().empty(); });
    const std::string copy = copyOfEdit();
    ASSERT_FALSE(copy.empty()) << "no recovery copy holds the painted map";

    // Ctrl+S renames a new file over the map: waited for on the file, then read back.
    viewer->press({"ctrl+s"});
    viewer->waitFor("the map replaced", [&](const Screenshot&) { return inodeOf(map) != inode; });
    const uint64_t saved = inodeOf(map);
    ASSERT_NE(saved, inode) << "the map was never replaced";
    int savedWidth = 0;
    const std::vector<uint32_t> after = mapPixels(map, savedWidth);
    EXPECT_EQ(savedWidth, width);
    EXPECT_TRUE(after == expected) << "only cell 2,2 may change, to the grass";
    EXPECT_EQ(namesIn(level.path() + "/levels"), files) << "no temporary file left beside it";
    viewer->waitFor(linesChangedFrom(shot, "the caption without its mark and the line saved"));
    EXPECT_FALSE(std::filesystem::exists(copy)) << "a saved map's recovery copy is removed";

    // Saved, Escape quits at once; the sRGB chunk's drop is said once.
    EXPECT_EQ(viewer->quit(), 0);
    EXPECT_EQ(inodeOf(map), saved);
    EXPECT_EQ(withUnixLineEnds(viewer->standardError()),
              "levels/valley.png: colour-management chunks dropped (sRGB): markers are raw "
              "sample values\n");
}
