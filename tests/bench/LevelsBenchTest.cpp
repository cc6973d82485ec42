// levels_bench on a few copies of the demo level: its row stands under its header, naming
// every copy, and the copies it made are reused by the next run.

#include "drive/ChildProcess.h"
#include "tests/bench/BenchRow.h"
#include "tests/support/Paths.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

TEST(LevelsBench, PrintsTheRunAgainstTheSingleRunsUnderItsHeader) {
    char folder[] = "/tmp/levelcolors-levels-bench-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string bench = buildRoot() + "/bench/levels_bench";
    ChildProcess header({bench, "--header"}, "", {});
    ASSERT_EQ(header.wait(60), 0);
    for (int run = 0; run < 2; ++run) {
        ChildProcess levels({bench, folder, "3"}, "", {});
        ASSERT_EQ(levels.wait(300), 0) << levels.standardError();
        const std::string out = levels.standardOutput();
        const BenchRow row(header.standardOutput(), out.substr(out.find('\n') + 1));
        EXPECT_EQ(row["levels"], "3") << out;
        EXPECT_NE(row["ratio"], "") << out;
        EXPECT_GT(std::stod(row["sum/cores ms"]), 0) << out;
    }
    std::filesystem::remove_all(folder);
}

} // namespace
