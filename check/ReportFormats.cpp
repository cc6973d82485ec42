#include "check/ReportFormats.h"

#include "level/ColourText.h"
#include "level/TextParts.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// Control characters as \xNN, so that a name cannot break a line or the terminal.
std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out;
}

// Columns are counted in characters, not bytes: UTF-8 continuation bytes take no room.
size_t displayWidth(const std::string& text) {
    size_t width = 0;
    for (unsigned char c : text)
        width += (c & 0xC0) != 0x80;
    return width;
}

std::string padded(const std::string& text, size_t width) {
    const size_t used = displayWidth(text);
    return text + std::string(width > used ? width - used : 0, ' ');
}

std::vector<std::string> markerFiles(const LevelReport& report, const Marker& marker) {
    std::vector<std::string> files;
    for (size_t entry : marker.entries)
        files.push_back(report.legend[entry].path);
    return files;
}

std::string levelName(const LevelReport& report) {
    return report.level.empty() ? "." : report.level;
}

std::string plural(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::vector<const Finding*> problemsOf(const LevelReport& report, const std::string& map) {
    std::vector<const Finding*> found;
    for (const Finding& finding : report.problems) {
        if (finding.map == map)
            found.push_back(&finding);
    }
    return found;
}

std::string positionsText(const std::vector<PixelPosition>& positions) {
    std::string text;
    for (const PixelPosition& at : positions)
        text += (text.empty() ? "" : " ") + std::to_string(at.x) + "," + std::to_string(at.y);
    return text;
}

// ---- text

std::string verdict(const LevelReport& report) {
    return report.problems.empty()
               ? "no problems found"
               : plural(report.problems.size(), "problem", "problems") + " found";
}

void writeTextMap(std::ostream& out, const LevelReport& report, const MapReport& map,
                  bool listUnused) {
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

// ---- CSV

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

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

// The length of the well-formed UTF-8 sequence that starts at text[i] (a byte of 0x80 or
// more); 0 when it is none.
size_t utf8SequenceAt(const std::string& text, size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    bool valid = length > 0 && c <= 0xF4 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k)
        valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (valid && length >= 3) {
        const unsigned char next = static_cast<unsigned char>(text[i + 1]);
        valid = !(c == 0xE0 && next < 0xA0) && !(c == 0xED && next >= 0xA0) &&
                !(c == 0xF0 && next < 0x90) && !(c == 0xF4 && next >= 0x90);
    }
    return valid ? length : 0;
}

// Text with each byte below 0x80 given to `ascii` and every other one kept when it is part of
// well-formed UTF-8, else replaced by U+FFFD.
template <typename Ascii>
std::string escapedUtf8(const std::string& text, Ascii ascii) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += ascii(char(c));
            ++i;
        } else if (const size_t length = utf8SequenceAt(text, i)) {
            out.append(text, i, length);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

// ---- JSON

std::string jsonString(const std::string& text) {
    return "\"" +
           escapedUtf8(text,
                       [](char c) -> std::string {
                           if (c == '"' || c == '\\')
                               return std::string("\\") + c;
                           if (static_cast<unsigned char>(c) < 0x20) {
                               char escaped[7];
                               std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(c));
                               return escaped;
                           }
                           return std::string(1, c);
                       }) +
           "\"";
}

// ---- JUnit XML

// Text for an XML attribute or element. Characters XML 1.0 cannot hold (control characters
// other than tab, line feed and carriage return) are written as \xNN, as text output does.
std::string xmlText(const std::string& text) {
    return escapedUtf8(text, [](char c) -> std::string {
        switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&apos;";
        case '\n':
            return "&#10;";
        case '\r':
            return "&#13;";
        case '\t':
            return "&#9;";
        default:
            break;
        }
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(c));
            return escaped;
        }
        return std::string(1, c);
    });
}

// The problems of one test case, as its one <failure> (the schema allows one per case).
void writeJunitFailure(std::ostream& out, const std::vector<const Finding*>& problems) {
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

void writeJsonFindings(std::ostream& out, const std::vector<Finding>& findings) {
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
            for (size_t k = 0; k < finding.first.size(); ++k)
                out << (k ? ", " : "") << "[" << finding.first[k].x << ", " << finding.first[k].y
                    << "]";
            out << "]";
        }
        out << "}";
    }
    out << (findings.empty() ? "]" : "\n  ]");
}

} // namespace

void writeText(std::ostream& out, const LevelReport& report, bool listUnused, bool quiet) {
    if (quiet) {
        // For a gate: what needs doing, and the verdict.
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
        out << (report.problems.empty() && report.notes.empty() ? "" : "\n") << verdict(report)
            << "\n";
        return;
    }
    out << "level " << printable(levelName(report)) << ": "
        << plural(report.legend.size(), "file", "files") << ", "
        << plural(report.markers.size(), "colour", "colours") << "\n";
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
        writeTextMap(out, report, map, listUnused);
    out << "\n" << verdict(report) << "\n";
}

void writeCsv(std::ostream& out, const LevelReport& report) {
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

void writeJson(std::ostream& out, const LevelReport& report) {
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
    writeJsonFindings(out, report.problems);
    out << ",\n  \"notes\": ";
    writeJsonFindings(out, report.notes);
    out << ",\n  \"maps\": [";
    for (size_t m = 0; m < report.maps.size(); ++m) {
        const MapReport& map = report.maps[m];
        out << (m ? ",\n" : "\n") << "    {\"file\": " << jsonString(map.file)
            << ", \"width\": " << map.width << ", \"height\": " << map.height
            << ",\n     \"markers\": [";
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
            for (size_t k = 0; k < stray.first.size(); ++k)
                out << (k ? ", " : "") << "[" << stray.first[k].x << ", " << stray.first[k].y
                    << "]";
            out << "]}";
        }
        out << (map.stray.empty() ? "]" : "\n     ]")
            << ",\n     \"untrackedPixels\": " << map.untrackedPixels << "}";
    }
    out << (report.maps.empty() ? "]" : "\n  ]") << "\n}\n";
}

void writeJunit(std::ostream& out, const LevelReport& report, const std::string& timestamp) {
    // Each problem goes to the first scanned file it names, a map's to its map, and the rest
    // to the level's own case.
    std::map<std::string, size_t> caseOf;
    struct Case {
        std::string classname;
        std::string name;
        std::vector<const Finding*> problems;
    };
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
    size_t failures = 0;
    for (const Case& test : cases)
        failures += !test.problems.empty();

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuite name=\"levelcolors-check " << xmlText(levelName(report)) << "\" timestamp=\""
        << xmlText(timestamp) << "\" hostname=\"localhost\" tests=\"" << cases.size()
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
        writeJunitFailure(out, test.problems);
        out << "</testcase>\n";
    }
    out << "  <system-out>";
    for (const Finding& note : report.notes)
        out << "\n" << xmlText(note.message);
    out << (report.notes.empty() ? "" : "\n  ") << "</system-out>\n"
        << "  <system-err></system-err>\n</testsuite>\n";
}
