// The SARIF 2.1.0 report, for code scanning: one run whose rules are the kinds of problem and
// of note, and whose results are the findings of every level, each on its file from the
// repository root, with the line of a description or a stray's first pixel, and a
// fingerprint that stays the same from run to run.

#include "check/FindingKind.h"
#include "check/FindingLocation.h"
#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"

#include <cctype>

namespace {

// A kind's meaning as one sentence: its lines joined, capitalised, with a full stop.
std::string sentence(const std::string& meaning) {
    std::string text;
    for (char c : meaning)
        text += c == '\n' ? ' ' : c;
    if (!text.empty())
        text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
    return text + ".";
}

// Its first sentence: what comes before the colon that opens a list, else all of it.
std::string shortSentence(const std::string& meaning) {
    return sentence(meaning.substr(0, meaning.find(':')));
}

struct Rule {
    const FindingKind* kind;
    bool note;
};

std::vector<Rule> rules() {
    std::vector<Rule> all;
    for (size_t i = 0; i < findingKindCount; ++i)
        all.push_back({&findingKinds[i], false});
    for (size_t i = 0; i < noteKindCount; ++i)
        all.push_back({&noteKinds[i], true});
    all.push_back({&levelFolderKind, false});
    return all;
}

const char* levelOf(bool note) {
    return note ? "note" : "error";
}

void writeRules(std::ostream& out, const std::vector<Rule>& all) {
    for (size_t i = 0; i < all.size(); ++i) {
        const FindingKind& kind = *all[i].kind;
        out << (i ? ",\n" : "\n") << "            {\"id\": " << jsonString(kind.name)
            << ", \"shortDescription\": {\"text\": " << jsonString(shortSentence(kind.meaning))
            << "}, \"fullDescription\": {\"text\": " << jsonString(sentence(kind.meaning))
            << "}, \"defaultConfiguration\": {\"level\": \"" << levelOf(all[i].note) << "\"}}";
    }
}

void writeResult(std::ostream& out, const LocatedFinding& at, const std::vector<Rule>& all) {
    const Finding& finding = at.finding;
    out << "        {\"ruleId\": " << jsonString(finding.kind);
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].kind->name == finding.kind)
            out << ", \"ruleIndex\": " << i;
    }
    out << ", \"level\": \"" << levelOf(at.note)
        << "\", \"message\": {\"text\": " << jsonString(finding.message) << "},\n"
        << "         \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": "
        << jsonString(uriPath(at.path)) << "}";
    if (at.line > 0) {
        out << ", \"region\": {\"startLine\": " << at.line;
        if (at.column > 0)
            out << ", \"startColumn\": " << at.column;
        out << "}";
    }
    out << "}}],\n         \"partialFingerprints\": {\"levelcolorsFinding/v1\": "
        << jsonString(at.fingerprint) << "}}";
}

void writeSarif(std::ostream& out, const std::vector<LevelReport>& levels,
                const ReportSettings& settings) {
    const std::vector<Rule> all = rules();
    out << "{\n  \"$schema\": "
           "\"https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/"
           "sarif-schema-2.1.0.json\",\n"
        << "  \"version\": \"2.1.0\",\n  \"runs\": [\n    {\n      \"tool\": {\n"
        << "        \"driver\": {\n          \"name\": \"levelcolors-check\", \"version\": "
        << jsonString(LEVELCOLORS_VERSION)
        << ",\n          \"informationUri\": " << jsonString(LEVELCOLORS_HOMEPAGE)
        << ",\n          \"rules\": [";
    writeRules(out, all);
    out << "\n          ]\n        }\n      },\n      \"results\": [";
    const std::vector<LocatedFinding> found =
        locateFindings(levels, settings.root, settings.manyLevels);
    for (size_t i = 0; i < found.size(); ++i) {
        out << (i ? ",\n" : "\n");
        writeResult(out, found[i], all);
    }
    out << (found.empty() ? "]" : "\n      ]") << "\n    }\n  ]\n}\n";
}

} // namespace

extern const ReportFormat sarifFormat = {
    "sarif",
    "SARIF 2.1.0 for code scanning: each problem (an error) and note on its file from the "
    "repository root (see --root), with its line or first pixel",
    writeSarif};
