// The CSV report: one table whose first column tells the record ("legend", "problem", "note",
// "map"), rows ending in CR LF, names byte for byte.

#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"
#include "level/ColourText.h"
#include "level/TextParts.h"

namespace {

void csvRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i)
        out << (i ? "," : "") << csvField(fields[i]);
    out << "\r\n";
}

std::string coloursText(const std::vector<uint32_t>& colours) {
    std::vector<std::string> texts;
    for (uint32_t colour : colours)
        texts.push_back(hexColour(colour));
    return joined(texts, " ");
}

std::string alphasText(const std::vector<uint32_t>& colours) {
    std::vector<std::string> texts;
    for (uint32_t colour : colours)
        texts.push_back(std::to_string(alphaOf(colour)));
    return joined(texts, " ");
}

std::string positionsText(const std::vector<PixelPosition>& positions) {
    std::string text;
    for (const PixelPosition& at : positions)
        text += (text.empty() ? "" : " ") + std::to_string(at.x) + "," + std::to_string(at.y);
    return text;
}

void writeCsvLevel(std::ostream& out, const LevelReport& report, const ReportSettings&) {
    csvRow(out, {"record", "kind", "colour", "alpha", "file", "swatch", "map", "pixels",
                 "positions", "message"});
    for (const LegendEntry& entry : report.legend) {
        csvRow(out, {"legend", kindName(entry.kind), entry.colour ? hexColour(*entry.colour) : "",
                     entry.colour ? std::to_string(alphaOf(*entry.colour)) : "", entry.path,
                     entry.swatchPath, "", "", "", ""});
    }
    for (const Finding& finding : report.problems) {
        const std::string pixels = finding.pixels ? std::to_string(finding.pixels) : "";
        const std::string positions = positionsText(finding.first);
        csvRow(out,
               {"problem", finding.kind, coloursText(finding.colours), alphasText(finding.colours),
                joined(finding.files, "; "), "", finding.map, pixels, positions, finding.message});
    }
    for (const Finding& note : report.notes)
        csvRow(out, {"note", note.kind, coloursText(note.colours), alphasText(note.colours),
                     joined(note.files, "; "), "", "", "", "", note.message});
    for (const MapReport& map : report.maps) {
        for (size_t i = 0; i < report.markers.size(); ++i) {
            const Marker& marker = report.markers[i];
            csvRow(out, {"map", map.markerPixels[i] ? "used" : "unused", hexColour(marker.colour),
                         std::to_string(alphaOf(marker.colour)),
                         joined(markerFiles(report, marker), "; "), "", map.file,
                         std::to_string(map.markerPixels[i]), "", ""});
        }
    }
}

// A run checks one level so far.
void writeCsv(std::ostream& out, const std::vector<LevelReport>& levels,
              const ReportSettings& settings) {
    writeCsvLevel(out, levels.front(), settings);
}

} // namespace

extern const ReportFormat csvFormat = {
    "csv", "one table whose first column is the record: legend, problem, note or map", writeCsv};
