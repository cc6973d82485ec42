#include "check/ReportParts.h"

std::string levelName(const LevelReport& report) {
    return report.level.empty() ? "." : report.level;
}

std::string levelHeading(const LevelReport& report) {
    return report.folderName.empty() ? levelName(report) : report.folderName;
}

std::string unreadableLine(const LevelReport& report) {
    return "cannot read level folder " + levelName(report) + ": " + report.unreadable;
}

std::vector<std::string> markerFiles(const LevelReport& report, const Marker& marker) {
    std::vector<std::string> files;
    for (size_t entry : marker.entries)
        files.push_back(report.legend[entry].path);
    return files;
}

std::vector<const Finding*> problemsOf(const LevelReport& report, const std::string& map) {
    std::vector<const Finding*> found;
    for (const Finding& finding : report.problems) {
        if (finding.map == map)
            found.push_back(&finding);
    }
    return found;
}

std::string verdict(size_t problems) {
    return problems == 0 ? "no problems found" : plural(problems, "problem", "problems") + " found";
}

std::string plural(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "3 levels checked, 1 could not be read: 5 problems found in 2 levels".
std::string runVerdict(const std::vector<LevelReport>& levels) {
    size_t unreadable = 0, withProblems = 0, problems = 0;
    for (const LevelReport& report : levels) {
        unreadable += !report.unreadable.empty();
        withProblems += !report.problems.empty();
        problems += report.problems.size();
    }
    return plural(levels.size(), "level", "levels") + " checked" +
           (unreadable ? ", " + std::to_string(unreadable) + " could not be read" : "") + ": " +
           (problems ? plural(problems, "problem", "problems") + " found in " +
                           plural(withProblems, "level", "levels")
                     : "no problems found");
}
