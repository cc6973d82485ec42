// The report as GitHub Actions workflow commands: one annotation a finding, on its file from
// the repository root, with the line of a description or a stray's first pixel; then the
// verdict of the run as a plain line.

#include "check/FindingLocation.h"
#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"

namespace {

void writeGithub(std::ostream& out, const std::vector<LevelReport>& levels,
                 const ReportSettings& settings) {
    for (const LocatedFinding& at : locateFindings(levels, settings.root, settings.manyLevels)) {
        out << (at.note ? "::notice" : "::error") << " file=" << workflowProperty(at.path);
        if (at.line > 0)
            out << ",line=" << at.line;
        if (at.column > 0)
            out << ",col=" << at.column;
        out << ",title=" << workflowProperty(at.finding.kind)
            << "::" << workflowData(at.finding.message) << "\n";
    }
    out << (settings.manyLevels ? runVerdict(levels) : verdict(levels.front().problems.size()))
        << "\n";
}

} // namespace

extern const ReportFormat githubFormat = {
    "github",
    "GitHub Actions workflow commands: an ::error line a problem and a ::notice line a note, "
    "on its file from the repository root, then the last line of the text report",
    writeGithub};
