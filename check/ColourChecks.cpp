#include "check/ColourChecks.h"

#include "check/ReportParts.h"
#include "level/ColourText.h"
#include "level/TextParts.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

void Findings::problem(const std::string& kind, std::vector<std::string> files,
                       std::vector<uint32_t> colours, const std::string& message,
                       const std::string& location, int64_t line) {
    const std::string at = !location.empty() || files.empty() ? location : files.front();
    problems.push_back({kind, "", std::move(files), std::move(colours), message, 0, {}, at, line});
}

bool isCollision(LevelFileKind kind) {
    return kind == LevelFileKind::WalkBehind || kind == LevelFileKind::WalkInto;
}

std::vector<std::string> pathsOf(const LevelReport& report, const std::vector<size_t>& entries) {
    std::vector<std::string> paths;
    for (size_t entry : entries)
        paths.push_back(report.legend[entry].path);
    return paths;
}

namespace {

// Which file the viewer keeps for a colour that several carry. Textures and objects are
// kept apart, each the last of its kind, but a painted map cannot tell one from the other.
std::string sharedColourAdvice(const LevelReport& report, const std::vector<size_t>& carriers) {
    std::vector<std::string> textures, objects;
    for (size_t entry : carriers)
        (report.legend[entry].kind == LevelFileKind::Texture ? textures : objects)
            .push_back(report.legend[entry].path);
    if (textures.empty() || objects.empty())
        return ", but a colour maps to one file; the viewer keeps " +
               pathsOf(report, carriers).back() + " (scanned last)";
    auto kept = [](const std::vector<std::string>& files) {
        return files.back() + (files.size() > 1 ? " (scanned last)" : "");
    };
    return "; the viewer keeps both, " + kept(textures) + " on the textures page and " +
           kept(objects) + " on the objects page, but a painted map cannot tell them apart";
}

// A colour for marker `moved` at least near + 1 from marker `from` in one channel (red, green,
// blue, each away from `from` first), that no other marker carries or comes near; none when
// every such step is taken.
std::optional<uint32_t> movedApart(const LevelReport& report, size_t from, size_t moved) {
    const uint32_t anchor = report.markers[from].colour;
    const uint32_t colour = report.markers[moved].colour;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const int a = int((anchor >> shift) & 0xFF);
        const int c = int((colour >> shift) & 0xFF);
        const int away = c >= a ? 1 : -1;
        for (int direction : {away, -away}) {
            const int value = a + direction * (report.near + 1);
            if (value < 0 || value > 255)
                continue;
            const uint32_t candidate = (colour & ~(0xFFu << shift)) | (uint32_t(value) << shift);
            if (colourClash(report, candidate, moved).empty())
                return candidate;
        }
    }
    return std::nullopt;
}

// How many pixels of the maps checked carry a marker.
uint64_t paintedPixels(const LevelReport& report, size_t marker) {
    uint64_t pixels = 0;
    for (const MapReport& map : report.maps)
        pixels += map.markerPixels[marker];
    return pixels;
}

std::string movedApartAdvice(const LevelReport& report, size_t from, size_t moved) {
    const std::optional<uint32_t> colour = movedApart(report, from, moved);
    if (!colour)
        return "; every such step for " + joined(pathsOf(report, report.markers[moved].entries)) +
               " meets another marker colour, so pick one further off";
    // Recolouring a marker means repainting its pixels: with maps, say how few.
    const std::string painted =
        report.maps.empty()
            ? ""
            : " (the maps paint it on " + plural(paintedPixels(report, moved), "pixel", "pixels") +
                  ", the other on " + std::to_string(paintedPixels(report, from)) + ")";
    return ", for example " + joined(pathsOf(report, report.markers[moved].entries)) + " to " +
           colourText(*colour) + painted + ", which no other file carries or comes near";
}

} // namespace

std::string colourClash(const LevelReport& report, uint32_t colour, size_t except) {
    std::vector<std::string> same;
    std::vector<std::string> near;
    for (size_t i = 0; i < report.markers.size(); ++i) {
        if (i == except)
            continue;
        const int distance = channelDistance(report.markers[i].colour, colour);
        const std::vector<std::string> files = pathsOf(report, report.markers[i].entries);
        if (distance == 0)
            same.insert(same.end(), files.begin(), files.end());
        else if (distance <= report.near)
            near.insert(near.end(), files.begin(), files.end());
    }
    if (!same.empty())
        return "already the colour of " + joined(same);
    if (!near.empty())
        return "near the colour of " + joined(near);
    return "";
}

std::vector<Marker> markersOf(const std::vector<LegendEntry>& legend) {
    std::vector<Marker> markers;
    std::unordered_map<uint32_t, size_t> index;
    for (size_t i = 0; i < legend.size(); ++i) {
        const std::optional<uint32_t>& colour = legend[i].colour;
        if (!colour)
            continue;
        auto found = index.find(*colour);
        if (found == index.end()) {
            found = index.emplace(*colour, markers.size()).first;
            markers.push_back({*colour, {}});
        }
        markers[found->second].entries.push_back(i);
    }
    return markers;
}

Findings duplicateFindings(const LevelReport& report) {
    Findings found;
    for (const Marker& marker : report.markers) {
        std::vector<size_t> carriers;
        std::vector<size_t> collisions;
        for (size_t entry : marker.entries)
            (isCollision(report.legend[entry].kind) ? collisions : carriers).push_back(entry);
        const std::string colour = colourText(marker.colour);
        if (carriers.size() > 1) {
            const std::vector<std::string> files = pathsOf(report, carriers);
            found.problem("duplicate", files, {marker.colour},
                          "duplicate colour " + colour + ": " + joined(files) + " carry it" +
                              sharedColourAdvice(report, carriers) +
                              "; give each file its own colour");
        }
        if (collisions.size() > 1)
            found.problem("duplicate", pathsOf(report, collisions), {marker.colour},
                          "duplicate colour " + colour + ": " +
                              joined(pathsOf(report, collisions)) +
                              " carry it, so walk behind and walk into cannot be told apart; give "
                              "each its own colour");
        if (!carriers.empty()) {
            for (size_t entry : collisions) {
                const LegendEntry& collision = report.legend[entry];
                std::vector<std::string> files = {collision.path};
                const std::vector<std::string> others = pathsOf(report, carriers);
                files.insert(files.end(), others.begin(), others.end());
                found.notes.push_back({"collision",
                                       "",
                                       files,
                                       {marker.colour},
                                       std::string("collision colour ") + colour + " (" +
                                           kindName(collision.kind) + ", " + collision.path +
                                           ") is also the colour of " + joined(others) +
                                           "; the viewer's collision page shows " + others.back() +
                                           "'s swatch for it",
                                       0,
                                       {},
                                       collision.path,
                                       0});
            }
        }
    }
    return found;
}

Findings nearFindings(const LevelReport& report) {
    Findings found;
    const int near = report.near;
    if (near <= 0)
        return found;
    // Sorted by red, only neighbours within `near` in red need comparing.
    std::vector<size_t> byRed(report.markers.size());
    for (size_t i = 0; i < byRed.size(); ++i)
        byRed[i] = i;
    auto red = [&report](size_t marker) {
        return int((report.markers[marker].colour >> 16) & 0xFF);
    };
    std::stable_sort(byRed.begin(), byRed.end(),
                     [&](size_t a, size_t b) { return red(a) < red(b); });
    std::vector<std::pair<size_t, size_t>> pairs;
    for (size_t i = 0; i < byRed.size(); ++i) {
        for (size_t j = i + 1; j < byRed.size() && red(byRed[j]) - red(byRed[i]) <= near; ++j) {
            const size_t a = std::min(byRed[i], byRed[j]);
            const size_t b = std::max(byRed[i], byRed[j]);
            if (channelDistance(report.markers[a].colour, report.markers[b].colour) <= near)
                pairs.push_back({a, b});
        }
    }
    std::sort(pairs.begin(), pairs.end());
    for (const auto& [a, b] : pairs) {
        const Marker& first = report.markers[a];
        const Marker& second = report.markers[b];
        const int distance = channelDistance(first.colour, second.colour);
        std::vector<std::string> files = pathsOf(report, first.entries);
        const std::vector<std::string> others = pathsOf(report, second.entries);
        files.insert(files.end(), others.begin(), others.end());
        found.problem("near", files, {first.colour, second.colour},
                      "near colours " + colourText(first.colour) + " (" +
                          joined(pathsOf(report, first.entries)) + ") and " +
                          colourText(second.colour) + " (" + joined(others) +
                          ") differ by at most " + std::to_string(distance) +
                          " in any channel (--near " + std::to_string(near) +
                          "): colour picking or conversion may merge them; move them at least " +
                          std::to_string(near + 1) + " apart in one channel" +
                          // The one the maps use less is recoloured; else the later one.
                          (paintedPixels(report, a) < paintedPixels(report, b)
                               ? movedApartAdvice(report, b, a)
                               : movedApartAdvice(report, a, b)));
    }
    return found;
}
