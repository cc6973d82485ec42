// The sanitizer build's leak check on programs the tests run: what it reports must name its
// library, and the project's suppressions must not hide leaks made through SDL.

#include "drive/ChildProcess.h"
#include "pngwriter/PngWriter.h"
#include "tests/support/Paths.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A leak check with the given suppressions file, its list of used suppressions kept off
// standard error, and the C library's string routines of this processor or, with `older`, of
// one without AVX-512 or AVX2: which stack slots they leave written differs, and a report must
// not depend on it.
std::map<std::string, std::string> leakCheck(const std::string& suppressions, bool older = false) {
    return {{"LSAN_OPTIONS", "suppressions=" + suppressions + ":print_suppressions=0"},
            {"GLIBC_TUNABLES", older ? "glibc.cpu.hwcaps=-AVX512F,-AVX512VL,-AVX512BW,-AVX2" : ""}};
}

class TemporaryFile {
  public:
    explicit TemporaryFile(const char* suffix)
        : path_(std::string("/tmp/levelcolors-leak-") + std::to_string(getpid()) + suffix) {}
    ~TemporaryFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

} // namespace

TEST(LeakReports, NameTheLibraryOfAModuleUnloadedBeforeTheCheck) {
    const std::string projectRules = sourceRoot() + "/tests/sanitizer/lsan.supp";
    for (const bool older : {false, true}) {
        SCOPED_TRACE(older ? "an older processor's routines" : "this processor's routines");
        ChildProcess leaking({LEVELCOLORS_MODULE_LEAK, LEVELCOLORS_LEAKY_MODULE}, "",
                             leakCheck(projectRules, older));
        EXPECT_NE(leaking.wait(), 0);
        const std::string report = leaking.standardError();
        EXPECT_NE(report.find("Direct leak of 48 byte(s) in 1 object(s)"), std::string::npos)
            << report;
        EXPECT_NE(report.find("leakOneBlock"), std::string::npos) << report;
        EXPECT_EQ(report.find("unknown module"), std::string::npos) << report;
    }

    // A suppression by library name matches it.
    TemporaryFile rules(".supp");
    std::ofstream(rules.path()) << "leak:liblevelcolors_leakymodule.so\n";
    ChildProcess suppressed({LEVELCOLORS_MODULE_LEAK, LEVELCOLORS_LEAKY_MODULE}, "",
                            leakCheck(rules.path()));
    EXPECT_EQ(suppressed.wait(), 0);
    EXPECT_EQ(suppressed.standardError(), "");
}

TEST(LeakReports, CatchAnImageThatIsNeverFreedDespiteTheProjectsSuppressions) {
    TemporaryFile image(".png");
    ASSERT_TRUE(writeFlatPng(image.path(), 5, 7, 0xFF336699));
    for (const bool older : {false, true}) {
        SCOPED_TRACE(older ? "an older processor's routines" : "this processor's routines");
        ChildProcess leaking({LEVELCOLORS_IMAGE_LEAK, image.path()}, "",
                             leakCheck(sourceRoot() + "/tests/sanitizer/lsan.supp", older));
        EXPECT_NE(leaking.wait(), 0);
        const std::string report = leaking.standardError();
        EXPECT_NE(report.find("loaded 5 by 7"), std::string::npos) << report;
        EXPECT_NE(report.find("Direct leak of"), std::string::npos) << report;
    }
}
