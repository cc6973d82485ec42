#include "drive/ChildProcess.h"
#include "tests/gfx/GlWorld.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// An empty folder of its own, removed afterwards.
class EmptyFolder {
  public:
    EmptyFolder() {
        std::string templ = std::filesystem::temp_directory_path() / "levelcolors-empty-XXXXXX";
        if (mkdtemp(templ.data()))
            path_ = templ;
    }
    ~EmptyFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// The one line printed, which must start with `prefix` and go on with SDL's reason.
void expectFailureLine(const std::string& out, const std::string& prefix) {
    ASSERT_EQ(out.compare(0, prefix.size(), prefix), 0) << out;
    EXPECT_GT(out.size(), prefix.size() + 1) << "SDL's reason follows: " << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line: " << out;
}

TEST(Startup, WithoutDynamicGlTheLibraryCannotBeOpened) {
    EmptyFolder folder;
    ChildProcess child({LEVELCOLORS_SCREEN_START}, folder.path(),
                       GlWorld::get().childEnvironment({{"SDL_VIDEODRIVER", "dummy"}}));
    EXPECT_EQ(child.wait(), 1);
    expectFailureLine(child.standardOutput(), "Unable to dynamically open GL lib : ");
}

TEST(Startup, WithoutADisplaySdlCannotStart) {
    EmptyFolder folder;
    ChildProcess child(
        {LEVELCOLORS_SCREEN_START}, folder.path(),
        GlWorld::get().childEnvironment({{"SDL_VIDEODRIVER", "x11"}, {"DISPLAY", ""}}));
    EXPECT_EQ(child.wait(), 1);
    expectFailureLine(child.standardOutput(), "Unable to init SDL : ");
}

TEST(Startup, OpensTheWindowQuietly) {
    GlWorld& world = GlWorld::get();
    world.openScreen();
    ChildProcess child({LEVELCOLORS_SCREEN_START}, world.folder(), world.childEnvironment());
    EXPECT_EQ(child.wait(), 0);
    EXPECT_EQ(child.standardOutput(), "");
    EXPECT_EQ(child.standardError(), "");
}

} // namespace
