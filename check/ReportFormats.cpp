#include "check/ReportFormats.h"

#include "level/ColourText.h"
#include "level/TextParts.h"

#include <cstdio>

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

// ---- JSON

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    const size_t size = text.size();
    for (size_t i = 0; i < size;) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
            ++i;
        } else if (c < 0x20) {
            char escaped[7];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            out += escaped;
            ++i;
        } else if (c < 0x80) {
            out += char(c);
            ++i;
        } else {
            // A well-formed UTF-8 sequence passes; any other byte becomes U+FFFD.
            const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
            bool valid = length > 0 && c <= 0xF4 && i + length <= size;
            for (size_t k = 1; valid && k < length; ++k)
                valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
            if (valid && length >= 3) {
                const unsigned char next = static_cast<unsigned char>(text[i + 1]);
                valid = !(c == 0xE0 && next < 0xA0) && !(c == 0xED && next >= 0xA0) &&
                        !(c == 0xF0 && next < 0x90) && !(c == 0xF4 && next >= 0x90);
            }
            if (valid) {
                out.append(text, i, length);
                i += length;
            } else {
                out += "\xEF\xBF\xBD";
                ++i;
            }
        }
    }
    return out + "\"";
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

void writeText(std::ostream& out, const LevelReport& report, bool listUnused) {
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
    out << "\n"
        << (report.problems.empty()
                ? "no problems found"
                : plural(report.problems.size(), "problem", "problems") + " found")
        << "\n";
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
