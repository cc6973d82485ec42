// The JUnit XML report as the Ant/Jenkins schema has it: one test suite for the level, a test
// case for the level, each scanned file and each map, each case's problems as its one failure,
// the notes as the suite's output. Names are written as well-formed XML whatever bytes they
// hold. A run of levels gives <testsuites> holding a suite per level, a level that cannot be
// read as a suite whose one case has an error.

#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"
#include "level/TextParts.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace {

struct Case {
    std::string classname;
    std::string name;
    std::vector<const Finding*> problems;
};

// The class of a case for a path the scan does not list: what the level's layout makes of it.
std::string unscannedClass(const std::string& kind, const std::string& path) {
    if (kind == "folder")
        return "folder";
    const std::string name = path.substr(path.rfind('/') + 1);
    const std::string folder = path.substr(0, path.find('/'));
    if (isSwatchName(name))
        return "swatch";
    if (folder == "textures")
        return kindName(LevelFileKind::Texture);
    if (std::find(std::begin(objectFolders), std::end(objectFolders), folder) !=
        std::end(objectFolders))
        return kindName(LevelFileKind::Object);
    return "file";
}

// Each problem goes to the first scanned file it names, a map's to its map. A problem that
// names no scanned file but names another (a link to nothing, an orphan swatch, a folder) goes
// to a case of that file's own, after the scanned files'; one that names none to the level's.
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
            const auto scanned =
                std::find_if(finding.files.begin(), finding.files.end(),
                             [&](const std::string& file) { return caseOf.count(file) != 0; });
            if (scanned != finding.files.end()) {
                at = caseOf[*scanned];
            } else if (!finding.files.empty()) {
                const std::string& file = finding.files.front();
                if (caseOf.emplace(file, cases.size()).second)
                    cases.push_back({unscannedClass(finding.kind, file), file, {}});
                at = caseOf[file];
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

// The suite's opening tag and its properties; `inRun` is " package=... id=..." inside
// <testsuites>, as the schema has them there.
void writeSuiteStart(std::ostream& out, const LevelReport& report, const ReportSettings& settings,
                     const std::string& inRun, size_t tests, size_t failures, size_t errors) {
    out << "<testsuite name=\"levelcolors-check " << xmlText(levelName(report)) << "\"" << inRun
        << " timestamp=\"" << xmlText(settings.timestamp) << "\" hostname=\"localhost\" tests=\""
        << tests << "\" failures=\"" << failures << "\" errors=\"" << errors << "\" time=\"0\">\n"
        << "  <properties>\n    <property name=\"near\" value=\"" << report.near
        << "\"/>\n  </properties>\n";
}

// A level that cannot be read: its one case ends in an error, not a failure of the level.
void writeUnreadableSuite(std::ostream& out, const LevelReport& report,
                          const ReportSettings& settings, const std::string& inRun) {
    writeSuiteStart(out, report, settings, inRun, 1, 0, 1);
    const std::string line = unreadableLine(report);
    out << "  <testcase classname=\"level\" name=\"" << xmlText(levelName(report))
        << "\" time=\"0\">\n    <error message=\"" << xmlText(line) << "\" type=\"unreadable\">\n"
        << xmlText(line) << "\n    </error>\n  </testcase>\n"
        << "  <system-out></system-out>\n  <system-err></system-err>\n</testsuite>\n";
}

void writeSuite(std::ostream& out, const LevelReport& report, const ReportSettings& settings,
                const std::string& inRun) {
    if (!report.unreadable.empty()) {
        writeUnreadableSuite(out, report, settings, inRun);
        return;
    }
    const std::vector<Case> cases = casesOf(report);
    size_t failures = 0;
    for (const Case& test : cases)
        failures += !test.problems.empty();
    writeSuiteStart(out, report, settings, inRun, cases.size(), failures, 0);
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

void writeJunit(std::ostream& out, const std::vector<LevelReport>& levels,
                const ReportSettings& settings) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (!settings.manyLevels) {
        writeSuite(out, levels.front(), settings, "");
        return;
    }
    out << "<testsuites>\n";
    for (size_t i = 0; i < levels.size(); ++i)
        writeSuite(out, levels[i], settings,
                   " package=\"levelcolors-check\" id=\"" + std::to_string(i) + "\"");
    out << "</testsuites>\n";
}

} // namespace

extern const ReportFormat junitFormat = {
    "junit",
    "JUnit XML for CI: a test suite per level, a test case per scanned file, per map and for the "
    "level, each problem a failure of the first file it names, the notes as the suite's output",
    writeJunit};
