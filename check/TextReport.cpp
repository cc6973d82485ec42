// The text report, for a terminal: the legend in aligned columns, then problems, notes and
// maps, one line each, names with their control characters escaped. Several levels give their
// blocks in turn and a last line for the run.

#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"
#include "level/ColourText.h"
#include "level/TextParts.h"

#include <algorithm>

namespace {

std::string padded(const std::string& text, size_t width) {
    const size_t used = displayWidth(text);
    return text + std::string(width > used ? width - used : 0, ' ');
}

void writeMap(std::ostream& out, const LevelReport& report, const MapReport& map, bool listUnused) {
    out << "\nmap " << printable(map.file) << ": " << map.width << " x " << map.height << ", "
        << plural(uint64_t(map.width) * uint64_t(map.height), "pixel", "pixels") << "\n";
    size_t countWidth = 6;
    for (uint64_t pixels : map.markerPixels)
        countWidth = std::max(countWidth, std::to_string(pixels).size());
    std::vector<const Marker*> unused;
    for (size_t i = 0; i < report.markers.size(); ++i) {
        const Marker& marker = report.markers[i];
        if (map.markerPixels[i] == 0) {
            unused.push_back(&marker);
            continue;
        }
        const std::string count = std::to_string(map.markerPixels[i]);
        out << "  " << std::string(countWidth - count.size(), ' ') << count << "  "
            << padded(colourText(marker.colour), 18)
            << printable(joined(markerFiles(report, marker), ", ")) << "\n";
    }
    // A real level leaves hundreds of markers unused in any one map; counted, they do not
    // bury the stray colours below.
    out << "  " << unused.size() << " of " << report.markers.size() << " marker colours unused"
        << (unused.empty() || listUnused ? "" : " (--unused lists them)") << "\n";
    for (size_t i = 0; listUnused && i < unused.size(); ++i)
        out << "  never used: " << colourText(unused[i]->colour) << " ("
            << printable(joined(markerFiles(report, *unused[i]), ", ")) << ")\n";
    for (const Finding* finding : problemsOf(report, map.file))
        out << "  " << printable(finding->message) << "\n";
}

void writeHeading(std::ostream& out, const LevelReport& report) {
    out << "level " << printable(levelHeading(report)) << ": "
        << plural(report.legend.size(), "file", "files") << ", "
        << plural(report.markers.size(), "colour", "colours") << "\n";
}

// For a gate: what needs doing, and the verdict.
void writeQuiet(std::ostream& out, const LevelReport& report) {
    if (!report.problems.empty()) {
        out << "problems:\n";
        for (const Finding& finding : report.problems)
            out << "  " << printable(finding.message) << "\n";
    }
    if (!report.notes.empty()) {
        out << (report.problems.empty() ? "" : "\n") << "notes:\n";
        for (const Finding& note : report.notes)
            out << "  " << printable(note.message) << "\n";
    }
    out << (report.problems.empty() && report.notes.empty() ? "" : "\n")
        << verdict(report.problems.size()) << "\n";
}

void writeTextLevel(std::ostream& out, const LevelReport& report, const ReportSettings& settings) {
    if (settings.quiet) {
        writeQuiet(out, report);
        return;
    }
    writeHeading(out, report);
    size_t fileWidth = 4;
    for (const LegendEntry& entry : report.legend)
        fileWidth = std::max(fileWidth, displayWidth(printable(entry.path)));
    out << padded("colour", 18) << padded("kind", 13) << padded("file", fileWidth + 2)
        << "swatch\n";
    for (const LegendEntry& entry : report.legend) {
        out << padded(entry.colour ? colourText(*entry.colour) : "none", 18)
            << padded(kindName(entry.kind), 13) << padded(printable(entry.path), fileWidth + 2)
            << printable(entry.swatchPath) << "\n";
    }
    const std::vector<const Finding*> levelProblems = problemsOf(report, "");
    if (!levelProblems.empty()) {
        out << "\nproblems:\n";
        for (const Finding* finding : levelProblems)
            out << "  " << printable(finding->message) << "\n";
    }
    if (!report.notes.empty()) {
        out << "\nnotes:\n";
        for (const Finding& note : report.notes)
            out << "  " << printable(note.message) << "\n";
    }
    for (const MapReport& map : report.maps)
        writeMap(out, report, map, settings.listUnused);
    out << "\n" << verdict(report.problems.size()) << "\n";
}

// Quiet, a level with nothing to say is left out, and each other block starts with its
// heading, so that its problems are told apart from the next level's.
void writeText(std::ostream& out, const std::vector<LevelReport>& levels,
               const ReportSettings& settings) {
    if (!settings.manyLevels) {
        writeTextLevel(out, levels.front(), settings);
        return;
    }
    for (const LevelReport& report : levels) {
        if (!report.unreadable.empty()) {
            out << printable(unreadableLine(report)) << "\n\n";
        } else if (!settings.quiet) {
            writeTextLevel(out, report, settings);
            out << "\n";
        } else if (!report.problems.empty() || !report.notes.empty()) {
            writeHeading(out, report);
            writeQuiet(out, report);
            out << "\n";
        }
    }
    out << runVerdict(levels) << "\n";
}

} // namespace

extern const ReportFormat textFormat = {"text", "aligned for a terminal", writeText};
