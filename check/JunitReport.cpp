// The JUnit XML report as the Ant/Jenkins schema has it: one test suite for the level, a test
// case for the level, each scanned file and each map, each case's problems as its one failure,
// the notes as the suite's output. Names are written as well-formed XML whatever bytes they
// hold.

#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"
#include "level/TextParts.h"

#include <algorithm>
#include <map>

namespace {

struct Case {
    std::string classname;
    std::string name;
    std::vector<const Finding*> problems;
};

// Each problem goes to the first scanned file it names, a map's to its map, and the rest to
// the level's own case.
std::vector<Case> casesOf(const LevelReport& report) {
    std::map<std::string, size_t> caseOf;
    std::vector<Case> cases = {{"level", levelName(report), {}}};
    for (const LegendEntry& entry : report.legend) {
        if (caseOf.emplace(entry.path, cases.size()).second)
            cases.push_back({kindName(entry.kind), entry.path, {}});
    }
    std::map<std::string, size_t> mapCase;
    for (const MapReport& map : report.maps) {
        mapCase.emplace(map.file, cases.size());
        cases.push_back({"map", map.file, {}});
    }
    for (const Finding& finding : report.problems) {
        size_t at = 0;
        if (!finding.map.empty()) {
            at = mapCase.count(finding.map) ? mapCase[finding.map] : 0;
        } else {
            for (const std::string& file : finding.files) {
                if (caseOf.count(file)) {
                    at = caseOf[file];
                    break;
                }
            }
        }
        cases[at].problems.push_back(&finding);
    }
    return cases;
}

// The problems of one test case, as its one <failure> (the schema allows one per case).
void writeFailure(std::ostream& out, const std::vector<const Finding*>& problems) {
    if (problems.empty())
        return;
    std::vector<std::string> kinds;
    for (const Finding* finding : problems) {
        if (std::find(kinds.begin(), kinds.end(), finding->kind) == kinds.end())
            kinds.push_back(finding->kind);
    }
    const std::string message = problems.size() == 1
                                    ? problems.front()->message
                                    : plural(problems.size(), "problem", "problems") + ": " +
                                          problems.front()->message + " ...";
    out << "\n    <failure message=\"" << xmlText(message) << "\" type=\""
        << xmlText(joined(kinds, ",")) << "\">";
    // One problem a line, as the text output gives them.
    out << "\n";
    for (const Finding* finding : problems)
        out << xmlText(finding->message) << "\n";
    out << "    </failure>\n  ";
}

void writeJunitLevel(std::ostream& out, const LevelReport& report, const ReportSettings& settings) {
    const std::vector<Case> cases = casesOf(report);
    size_t failures = 0;
    for (const Case& test : cases)
        failures += !test.problems.empty();

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuite name=\"levelcolors-check " << xmlText(levelName(report)) << "\" timestamp=\""
        << xmlText(settings.timestamp) << "\" hostname=\"localhost\" tests=\"" << cases.size()
        << "\" failures=\"" << failures << "\" errors=\"0\" time=\"0\">\n"
        << "  <properties>\n    <property name=\"near\" value=\"" << report.near
        << "\"/>\n  </properties>\n";
    for (const Case& test : cases) {
        out << "  <testcase classname=\"" << xmlText(test.classname) << "\" name=\""
            << xmlText(test.name) << "\" time=\"0\"";
        if (test.problems.empty()) {
            out << "/>\n";
            continue;
        }
        out << ">";
        writeFailure(out, test.problems);
        out << "</testcase>\n";
    }
    out << "  <system-out>";
    for (const Finding& note : report.notes)
        out << "\n" << xmlText(note.message);
    out << (report.notes.empty() ? "" : "\n  ") << "</system-out>\n"
        << "  <system-err></system-err>\n</testsuite>\n";
}

// A run checks one level so far.
void writeJunit(std::ostream& out, const std::vector<LevelReport>& levels,
                const ReportSettings& settings) {
    writeJunitLevel(out, levels.front(), settings);
}

} // namespace

extern const ReportFormat junitFormat = {
    "junit",
    "JUnit XML for CI: a test case per scanned file, per map and for the level, each problem a "
    "failure of the first file it names, the notes as the suite's output",
    writeJunit};
