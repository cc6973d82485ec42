// startup_bench on the broken golden level with one decoding thread and with several, loading
// it between frames as the viewer does and in one go before any frame: the digest of what the
// scan filed, and every line written on standard error, are the same.

#include "drive/ChildProcess.h"
#include "drive/XServer.h"
#include "tests/app/LevelFolder.h"
#include "tests/bench/BenchRow.h"
#include "tests/support/Paths.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(StartupBench, TheBrokenLevelFilesTheSameWhateverTheThreadCount) {
    LevelFolder level;
    level.copyGolden("broken");
    XServer server;
    std::string firstFiled; // textures, images and digest
    std::string firstErr;
    const std::string header = BenchRow::startupHeader();
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
            const BenchRow row(header, bench.standardOutput());
            ASSERT_NE(row["digest"], "") << header << bench.standardOutput();
            const std::string filed = row["textures"] + " " + row["images"] + " " + row["digest"];
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
