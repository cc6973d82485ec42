// GitLab's Code Quality report: one JSON array of findings, each with its kind, a
// fingerprint that stays the same from run to run, a severity (major for a problem, info
// for a note) and its file from the repository root with the line of a description or a
// stray's first pixel (line 1 for none).

#include "check/FindingLocation.h"
#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"

namespace {

void writeCodeQuality(std::ostream& out, const std::vector<LevelReport>& levels,
                      const ReportSettings& settings) {
    const std::vector<LocatedFinding> found =
        locateFindings(levels, settings.root, settings.manyLevels);
    out << "[";
    for (size_t i = 0; i < found.size(); ++i) {
        const LocatedFinding& at = found[i];
        out << (i ? ",\n" : "\n") << "  {\"description\": " << jsonString(at.finding.message)
            << ", \"check_name\": " << jsonString(at.finding.kind)
            << ", \"fingerprint\": " << jsonString(at.fingerprint) << ", \"severity\": \""
            << (at.note ? "info" : "major")
            << "\",\n   \"location\": {\"path\": " << jsonString(at.path)
            << ", \"lines\": {\"begin\": " << (at.line > 0 ? at.line : 1) << "}}}";
    }
    out << (found.empty() ? "]\n" : "\n]\n");
}

} // namespace

extern const ReportFormat codeQualityFormat = {
    "codequality",
    "GitLab Code Quality JSON: an array of findings, problems major and notes info, each on its "
    "file from the repository root",
    writeCodeQuality};
