#include "check/CheckLevels.h"

#include "check/LevelCheck.h"
#include "platform/DecodePool.h"
#include "platform/LibraryOutput.h"
#include "platform/ParallelFor.h"

std::vector<LevelReport> checkLevels(const std::vector<std::string>& levels,
                                     const LevelCheckSettings& settings) {
    std::vector<LevelReport> reports(levels.size());
    const auto unreadable = [&](size_t i) {
        reports[i].level = levels[i];
        reports[i].unreadable = levelFolderProblem(levels[i]);
        return !reports[i].unreadable.empty();
    };
    if (levels.size() == 1) {
        if (!unreadable(0))
            reports[0] = checkLevel(levels[0], settings);
        return reports;
    }
    // A level's own work (listing, reading descriptions) is mostly on the thread that checks
    // it, so levels rather than images are spread over the cores; each level's one decoding
    // worker keeps its images' library output apart from the other levels'.
    const bool ownOutput = LibraryOutput::threadsOwnTheirs();
    parallelFor(levels.size(), ownOutput ? DecodePool::threadCount() : 1, [&](size_t i) {
        if (!unreadable(i))
            reports[i] = checkLevel(levels[i], settings, ownOutput ? 1 : 0);
    });
    return reports;
}
