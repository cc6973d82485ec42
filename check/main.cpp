// levelcolors-check: levels' marker colours listed, checked and exported, with no window.

#include "check/CheckLevels.h"
#include "check/CheckOptions.h"
#include "check/LevelSearch.h"
#include "check/PaletteFile.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"
#include "platform/PathStatus.h"
#include "platform/StandardStreams.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>

namespace {

constexpr int exitProblems = 1;
constexpr int exitFailure = 2;

void fail(const std::string& line) {
    std::fprintf(stderr, "levelcolors-check: %s\n", line.c_str());
    std::fflush(stderr);
}

// The time now in UTC, as JUnit readers take it.
std::string utcTimestamp() {
    const std::time_t now = std::time(nullptr);
    // The program's one thread is the only user of gmtime's buffer.
    const std::tm* parts = std::gmtime(&now);
    char text[32] = "1970-01-01T00:00:00";
    if (parts)
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", parts);
    return text;
}

// The levels named and found, in the order given, those of other shares left out; a folder
// --find cannot search is named on standard error and sets `failed`.
std::vector<std::string> levelsToCheck(const CheckOptions& options, bool& failed) {
    std::vector<std::string> levels;
    for (const LevelArgument& argument : options.levels) {
        if (!argument.find) {
            levels.push_back(argument.folder);
            continue;
        }
        std::vector<std::string> problems;
        for (std::string& level : findLevels(argument.folder, problems))
            levels.push_back(std::move(level));
        for (const std::string& problem : problems)
            fail(problem);
        failed = failed || !problems.empty();
    }
    if (options.levels.empty())
        levels.push_back("");
    levels.erase(std::remove_if(levels.begin(), levels.end(),
                                [&](const std::string& level) {
                                    return !options.shard.keeps(level.empty() ? "." : level);
                                }),
                 levels.end());
    return levels;
}

// The palette written; false when it failed (named on standard error).
bool writePaletteOf(const CheckOptions& options, const LevelReport& report) {
    std::string reason;
    if (options.palette.empty() ||
        writePalette(report, options.palette, *paletteFormatOf(options.palette), reason))
        return true;
    fail("cannot write palette " + options.palette + ": " + reason);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    keepLineEndsOnStandardStreams();
    const CheckOptions options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        fail(options.error + " (see --help)");
        return exitFailure;
    }
    if (options.help) {
        std::fputs(checkUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("levelcolors-check %s\n", LEVELCOLORS_VERSION);
        return 0;
    }
    if (!options.root.empty()) {
        const PathStatus root = pathStatus(options.root);
        if (!root.folder) {
            fail("cannot use --root " + options.root + ": " +
                 (root.exists ? "it is not a folder" : std::strerror(root.error)));
            return exitFailure;
        }
    }
    bool failed = false;
    // Only a run of one level has maps (CheckOptions sees to it).
    const LevelCheckSettings checkSettings = {options.near, options.maps, options.snap,
                                              options.fixStrays};
    std::vector<LevelReport> reports = checkLevels(levelsToCheck(options, failed), checkSettings);
    for (const LevelReport& report : reports) {
        if (report.unreadable.empty())
            continue;
        fail(unreadableLine(report));
        failed = true;
        // A run of one level that cannot be read has no report.
        if (options.oneLevel())
            return exitFailure;
    }
    for (const LevelReport& report : reports) {
        for (const std::string& line : report.mapSaveLines)
            fail(line);
        for (const UnreadableMap& map : report.unsavedMaps) {
            fail("cannot save map " + map.file + ": " + map.reason);
            failed = true;
        }
        for (const UnreadableMap& map : report.unreadableMaps) {
            fail("cannot read map " + map.file + ": " + map.reason);
            failed = true;
        }
    }
    // Only a run of one level has a palette (CheckOptions sees to it).
    if (options.oneLevel())
        failed = !writePaletteOf(options, reports.front()) || failed;
    bool problems = false;
    for (LevelReport& report : reports) {
        // Ignored kinds leave the output and the exit status; the rest of the report stands.
        report.problems.erase(
            std::remove_if(report.problems.begin(), report.problems.end(),
                           [&](const Finding& finding) {
                               return std::find(options.ignored.begin(), options.ignored.end(),
                                                finding.kind) != options.ignored.end();
                           }),
            report.problems.end());
        problems = problems || !report.problems.empty();
    }

    ReportSettings settings;
    settings.listUnused = options.listUnused;
    settings.quiet = options.quiet;
    settings.timestamp = utcTimestamp();
    settings.manyLevels = !options.oneLevel();
    settings.root = options.root;
    options.format->write(std::cout, reports, settings);
    std::cout.flush();
    if (failed)
        return exitFailure;
    return problems ? exitProblems : 0;
}
