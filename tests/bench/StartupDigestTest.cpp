// startup_bench on the broken golden level with one decoding thread and with several, loading
// it between frames as the viewer does and in one go before any frame: the digest of what the
// scan filed, and every line written on standard error, are the same.

#include "drive/ChildProcess.h"
#include "drive/XServer.h"
#include "tests/app/LevelFolder.h"
#include "tests/support/Paths.h"

#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(StartupBench, TheBrokenLevelFilesTheSameWhateverTheThreadCount) {
    LevelFolder level;
    level.copyGolden("broken");
    XServer server;
    std::string firstFiled; // textures, images and digest
    std::string firstErr;
    for (const char* threads : {"1", "2", "5"})
        for (const bool inOneGo : {false, true}) {
            SCOPED_TRACE(std::string("LEVELCOLORS_THREADS=") + threads +
                         (inOneGo ? " --in-one-go" : ""));
            std::map<std::string, std::string> env = {{"DISPLAY", server.display()},
                                                      {"LEVELCOLORS_THREADS", threads}};
            std::vector<std::string> argv = {buildRoot() + "/bench/startup_bench", level.path()};
            if (inOneGo)
                argv.insert(argv.begin() + 1, "--in-one-go");
            ChildProcess bench(argv, "", env);
            ASSERT_EQ(bench.wait(120), 0) << bench.standardError();
            // Fields: threads, textures, images, timings and memory, the digest, then the times to
            // the first page.
            std::istringstream row(bench.standardOutput());
            std::vector<std::string> fields{std::istream_iterator<std::string>(row), {}};
            ASSERT_EQ(fields.size(), 17u) << bench.standardOutput();
            const std::string filed = fields[1] + " " + fields[2] + " " + fields[13];
            if (firstFiled.empty()) {
                firstFiled = filed;
                firstErr = bench.standardError();
                ASSERT_NE(firstErr.find("Unable to load image textures/torn.png"),
                          std::string::npos);
            } else {
                EXPECT_EQ(filed, firstFiled);
                EXPECT_EQ(bench.standardError(), firstErr);
            }
        }
}

} // namespace
