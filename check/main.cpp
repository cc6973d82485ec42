// levelcolors-check: a level's marker colours listed, checked and exported, with no window.

#include "check/CheckOptions.h"
#include "check/LevelCheck.h"
#include "check/MapCheck.h"
#include "check/PaletteFile.h"
#include "check/ReportFormat.h"
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
    const std::string folderProblem = levelFolderProblem(options.level);
    if (!folderProblem.empty()) {
        fail("cannot read level folder " + (options.level.empty() ? "." : options.level) + ": " +
             folderProblem);
        return exitFailure;
    }

    bool failed = false;
    LevelReport report = checkLevel(options.level, options.near);
    std::vector<std::string> mapsDone;
    for (const std::string& map : options.maps) {
        if (std::find(mapsDone.begin(), mapsDone.end(), map) != mapsDone.end())
            continue;
        mapsDone.push_back(map);
        std::string reason;
        if (!checkMap(report, map, reason)) {
            fail("cannot read map " + map + ": " + reason);
            failed = true;
        }
    }
    // Ignored kinds leave the output and the exit status; the rest of the report stands.
    report.problems.erase(
        std::remove_if(report.problems.begin(), report.problems.end(),
                       [&](const Finding& finding) {
                           return std::find(options.ignored.begin(), options.ignored.end(),
                                            finding.kind) != options.ignored.end();
                       }),
        report.problems.end());
    if (!options.palette.empty()) {
        std::string reason;
        if (!writePalette(report, options.palette, *paletteFormatOf(options.palette), reason)) {
            fail("cannot write palette " + options.palette + ": " + reason);
            failed = true;
        }
    }

    ReportSettings settings;
    settings.listUnused = options.listUnused;
    settings.quiet = options.quiet;
    settings.timestamp = utcTimestamp();
    settings.root = options.root;
    options.format->write(std::cout, {report}, settings);
    std::cout.flush();
    if (failed)
        return exitFailure;
    return report.problems.empty() ? 0 : exitProblems;
}
