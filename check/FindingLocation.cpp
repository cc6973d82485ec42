#include "check/FindingLocation.h"

#include "check/FindingKind.h"
#include "check/ReportParts.h"
#include "check/ReportRoot.h"
#include "level/ColourText.h"
#include "level/LevelLayout.h"

#include <cstdio>
#include <map>

namespace {

// 64-bit FNV-1a: small, and the same on every system and in every run.
uint64_t hashOf(const std::string& text) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3u;
    }
    return hash;
}

std::string fingerprintOf(const LocatedFinding& located) {
    std::string key = located.finding.kind + '\0' + located.path + '\0' +
                      std::to_string(located.line) + '\0' + std::to_string(located.column);
    for (uint32_t colour : located.finding.colours)
        key += '\0' + hexColour(colour);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hashOf(key)));
    return text;
}

LocatedFinding located(const LevelReport& report, const std::string& root, const Finding& finding,
                       bool note) {
    LocatedFinding at{finding, note, "", finding.line, 0, ""};
    const std::string path = !finding.map.empty()       ? finding.map
                             : finding.location.empty() ? levelName(report)
                                                        : levelPath(report.level, finding.location);
    at.path = pathFromRoot(root, path);
    if (at.line == 0 && !finding.first.empty()) {
        at.line = int64_t(finding.first.front().y) + 1;
        at.column = int64_t(finding.first.front().x) + 1;
    }
    return at;
}

} // namespace

std::vector<LocatedFinding> locateFindings(const std::vector<LevelReport>& levels,
                                           const std::string& root, bool manyLevels) {
    std::vector<LocatedFinding> found;
    for (const LevelReport& report : levels) {
        const std::string levelRoot = reportRoot(root, report.level, manyLevels);
        if (!report.unreadable.empty()) {
            Finding unreadable;
            unreadable.kind = levelFolderKind.name;
            unreadable.message = unreadableLine(report);
            found.push_back(located(report, levelRoot, unreadable, false));
        }
        for (const Finding& finding : report.problems)
            found.push_back(located(report, levelRoot, finding, false));
        for (const Finding& note : report.notes)
            found.push_back(located(report, levelRoot, note, true));
    }
    std::map<std::string, int> seen;
    for (LocatedFinding& at : found) {
        const std::string fingerprint = fingerprintOf(at);
        const int count = ++seen[fingerprint];
        at.fingerprint = count == 1 ? fingerprint : fingerprint + "-" + std::to_string(count);
    }
    return found;
}
