// Reads generated description files of 1, 4 and 16 MiB and prints the time and rate of each
// read, so that reading stays linear in the file's size.

#include "listfile/ListReader.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>

namespace {

// A mix of what description files hold: comments, quoted names, short keyed lists, long
// flat lists of numbers and some nesting.
std::string generate(std::size_t size) {
    std::string text = "; generated description\n(animated\n";
    for (unsigned block = 0; text.size() < size; ++block) {
        text += "  ; frame " + std::to_string(block) + "\n";
        text += "  (sprite (filename \"textures/lava/frame " + std::to_string(block % 97) +
                ".png\") (time " + std::to_string(block % 7 + 1) + ") (origin 4 -2))\n";
        if (block % 8 == 0) {
            text += "  (values";
            for (int i = 0; i < 200; ++i)
                text += " " + std::to_string((block * 31 + i) % 1000);
            text += ")\n";
        }
        if (block % 16 == 0)
            text += "  " + std::string(40, '(') + "deep" + std::string(40, ')') + "\n";
    }
    return text + "  (loop))\n";
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// readListFile without its size limit: the reader's own cost is what grows with the file.
std::unique_ptr<ListObject> readLargeFile(const std::string& path) {
    std::string problem;
    long long bytes = 0;
    ListInput in = ListInput::fromFile(openRegularFile(path, problem, &bytes), path, bytes);
    readToken(in); // stands for the root's opening parenthesis
    return readList(in);
}

} // namespace

int main() {
    char name[] = "/tmp/listreader-bench-XXXXXX";
    if (!mkdtemp(name)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = name;
    constexpr int runs = 5;
    std::printf("%8s %12s %12s %10s %14s %12s\n", "MiB", "bytes", "read ms", "MiB/s", "destroy ms",
                "tree MiB");
    double firstTime = 0;
    for (int mib : {1, 4, 16}) {
        std::string path = folder + "/bench" + std::to_string(mib) + ".txt";
        std::string text = generate(static_cast<std::size_t>(mib) << 20);
        std::ofstream(path, std::ios::binary) << text;
        double best = 1e9;
        double destroy = 1e9;
        for (int run = 0; run < runs; ++run) {
            auto start = std::chrono::steady_clock::now();
            std::unique_ptr<ListObject> root = readLargeFile(path);
            auto read = std::chrono::steady_clock::now();
            root.reset();
            auto freed = std::chrono::steady_clock::now();
            best = std::min(best, seconds(read - start));
            destroy = std::min(destroy, seconds(freed - read));
        }
        // Measured apart: asking the allocator walks and tidies its heap, which would change
        // the timings of the reads that follow.
        std::size_t heapBefore = mallinfo2().uordblks;
        std::unique_ptr<ListObject> root = readLargeFile(path);
        double tree = static_cast<double>(mallinfo2().uordblks - heapBefore) / (1 << 20);
        root.reset();
        if (mib == 1)
            firstTime = best;
        double size = static_cast<double>(text.size()) / (1 << 20);
        std::printf("%8d %12zu %12.2f %10.1f %14.2f %12.1f\n", mib, text.size(), best * 1000,
                    size / best, destroy * 1000, tree);
        if (mib == 16)
            std::printf("16 MiB read takes %.1f times the 1 MiB read (best of %d runs each)\n",
                        best / firstTime, runs);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
