#include "check/ReportParts.h"

std::string levelName(const LevelReport& report) {
    return report.level.empty() ? "." : report.level;
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
