// The CSV report: one table whose first column tells the record ("legend", "problem", "note",
// "map"), rows ending in CR LF, names byte for byte. A run of levels adds a first column, the
// level, and a record "unreadable" for a level that cannot be read.

#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"
#include "level/ColourText.h"
#include "level/TextParts.h"

namespace {

// Writes each row, behind the level's field when there is one.
class CsvTable {
  public:
    CsvTable(std::ostream& out, bool levelColumn) : out_(out), levelColumn_(levelColumn) {}
    void setLevel(const std::string& level) { level_ = level; }

    void row(const std::vector<std::string>& fields) {
        if (levelColumn_)
            out_ << csvField(level_) << ",";
        for (size_t i = 0; i < fields.size(); ++i)
            out_ << (i ? "," : "") << csvField(fields[i]);
        out_ << "\r\n";
    }

  private:
    std::ostream& out_;
    bool levelColumn_;
    std::string level_ = "level";
};

const std::vector<std::string> columns = {"record", "kind", "colour", "alpha",     "file",
                                          "swatch", "map",  "pixels", "positions", "message"};

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

void writeCsvLevel(CsvTable& out, const LevelReport& report) {
    if (!report.unreadable.empty())
        out.row({"unreadable", "", "", "", "", "", "", "", "", unreadableLine(report)});
    for (const LegendEntry& entry : report.legend) {
        out.row({"legend", kindName(entry.kind), entry.colour ? hexColour(*entry.colour) : "",
                 entry.colour ? std::to_string(alphaOf(*entry.colour)) : "", entry.path,
                 entry.swatchPath, "", "", "", ""});
    }
    for (const Finding& finding : report.problems) {
        const std::string pixels = finding.pixels ? std::to_string(finding.pixels) : "";
        const std::string positions = positionsText(finding.first);
        out.row({"problem", finding.kind, coloursText(finding.colours), alphasText(finding.colours),
                 joined(finding.files, "; "), "", finding.map, pixels, positions, finding.message});
    }
    for (const Finding& note : report.notes)
        out.row({"note", note.kind, coloursText(note.colours), alphasText(note.colours),
                 joined(note.files, "; "), "", note.map,
                 note.pixels ? std::to_string(note.pixels) : "", positionsText(note.first),
                 note.message});
    for (const MapReport& map : report.maps) {
        for (size_t i = 0; i < report.markers.size(); ++i) {
            const Marker& marker = report.markers[i];
            out.row({"map", map.markerPixels[i] ? "used" : "unused", hexColour(marker.colour),
                     std::to_string(alphaOf(marker.colour)),
                     joined(markerFiles(report, marker), "; "), "", map.file,
                     std::to_string(map.markerPixels[i]), "", ""});
        }
    }
}

void writeCsv(std::ostream& out, const std::vector<LevelReport>& levels,
              const ReportSettings& settings) {
    CsvTable table(out, settings.manyLevels);
    table.row(columns);
    for (const LevelReport& report : levels) {
        table.setLevel(levelName(report));
        writeCsvLevel(table, report);
    }
}

} // namespace

extern const ReportFormat csvFormat = {
    "csv", "one table whose first column is the record: legend, problem, note or map", writeCsv};
