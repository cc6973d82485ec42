// The JSON report: one object with the level, the near limit, the legend, problems, notes and
// maps; names byte for byte except invalid UTF-8, written as U+FFFD. A run of levels gives
// {"levels": [...]} holding each level's object, a level that cannot be read as
// {"level": NAME, "unreadable": REASON}.

#include "check/ReportEscaping.h"
#include "check/ReportFormat.h"
#include "check/ReportParts.h"
#include "level/ColourText.h"

#include <sstream>

namespace {

std::string jsonStrings(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + jsonString(items[i]);
    return out + "]";
}

std::string jsonColour(uint32_t colour) {
    return "\"colour\": " + jsonString(hexColour(colour)) +
           ", \"alpha\": " + std::to_string(alphaOf(colour));
}

void writePositions(std::ostream& out, const std::vector<PixelPosition>& positions) {
    for (size_t k = 0; k < positions.size(); ++k)
        out << (k ? ", " : "") << "[" << positions[k].x << ", " << positions[k].y << "]";
}

void writeFindings(std::ostream& out, const std::vector<Finding>& findings) {
    out << "[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        std::vector<std::string> colours;
        for (uint32_t colour : finding.colours)
            colours.push_back(hexColour(colour));
        out << (i ? ",\n" : "\n") << "    {\"kind\": " << jsonString(finding.kind);
        if (!finding.map.empty())
            out << ", \"map\": " << jsonString(finding.map);
        out << ", \"colours\": " << jsonStrings(colours)
            << ", \"files\": " << jsonStrings(finding.files)
            << ", \"message\": " << jsonString(finding.message);
        if (finding.pixels) {
            out << ", \"pixels\": " << finding.pixels << ", \"first\": [";
            writePositions(out, finding.first);
            out << "]";
        }
        out << "}";
    }
    out << (findings.empty() ? "]" : "\n  ]");
}

void writeMap(std::ostream& out, const LevelReport& report, const MapReport& map) {
    out << "    {\"file\": " << jsonString(map.file) << ", \"width\": " << map.width
        << ", \"height\": " << map.height << ",\n     \"markers\": [";
    for (size_t i = 0; i < report.markers.size(); ++i) {
        const Marker& marker = report.markers[i];
        out << (i ? ",\n" : "\n") << "       {" << jsonColour(marker.colour)
            << ", \"files\": " << jsonStrings(markerFiles(report, marker))
            << ", \"pixels\": " << map.markerPixels[i] << "}";
    }
    out << (report.markers.empty() ? "]" : "\n     ]") << ",\n     \"stray\": [";
    for (size_t i = 0; i < map.stray.size(); ++i) {
        const ColourCount& stray = map.stray[i];
        out << (i ? ",\n" : "\n") << "       {" << jsonColour(stray.colour)
            << ", \"pixels\": " << stray.pixels << ", \"first\": [";
        writePositions(out, stray.first);
        out << "]}";
    }
    out << (map.stray.empty() ? "]" : "\n     ]")
        << ",\n     \"untrackedPixels\": " << map.untrackedPixels << "}";
}

void writeJsonLevel(std::ostream& out, const LevelReport& report, const ReportSettings&) {
    out << "{\n  \"level\": " << jsonString(levelName(report)) << ",\n  \"near\": " << report.near
        << ",\n  \"legend\": [";
    for (size_t i = 0; i < report.legend.size(); ++i) {
        const LegendEntry& entry = report.legend[i];
        out << (i ? ",\n" : "\n") << "    {\"kind\": " << jsonString(kindName(entry.kind)) << ", "
            << (entry.colour ? jsonColour(*entry.colour) : "\"colour\": null, \"alpha\": null")
            << ", \"file\": " << jsonString(entry.path)
            << ", \"swatch\": " << jsonString(entry.swatchPath) << "}";
    }
    out << (report.legend.empty() ? "]" : "\n  ]") << ",\n  \"problems\": ";
    writeFindings(out, report.problems);
    out << ",\n  \"notes\": ";
    writeFindings(out, report.notes);
    out << ",\n  \"maps\": [";
    for (size_t m = 0; m < report.maps.size(); ++m) {
        out << (m ? ",\n" : "\n");
        writeMap(out, report, report.maps[m]);
    }
    out << (report.maps.empty() ? "]" : "\n  ]") << "\n}\n";
}

// Each line of `text` but the last (empty) one, behind `indent`. JSON strings hold no raw
// line feed, so every line break is the layout's own.
std::string indented(const std::string& text, const std::string& indent) {
    std::string out;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        out += (start ? "\n" : "") + indent + text.substr(start, end - start);
        start = end + 1;
    }
    return out;
}

void writeJson(std::ostream& out, const std::vector<LevelReport>& levels,
               const ReportSettings& settings) {
    if (!settings.manyLevels) {
        writeJsonLevel(out, levels.front(), settings);
        return;
    }
    out << "{\n  \"levels\": [";
    for (size_t i = 0; i < levels.size(); ++i) {
        const LevelReport& report = levels[i];
        out << (i ? ",\n" : "\n");
        if (!report.unreadable.empty()) {
            out << "    {\"level\": " << jsonString(levelName(report))
                << ", \"unreadable\": " << jsonString(report.unreadable) << "}";
            continue;
        }
        std::ostringstream level;
        writeJsonLevel(level, report, settings);
        out << indented(level.str(), "    ");
    }
    out << (levels.empty() ? "]" : "\n  ]") << "\n}\n";
}

} // namespace

extern const ReportFormat jsonFormat = {"json", "one object with legend, problems, notes and maps",
                                        writeJson};
