#include "check/ColourChecks.h"

#include "level/ColourText.h"
#include "level/TextParts.h"

#include <algorithm>
#include <unordered_map>

void Findings::problem(const std::string& kind, std::vector<std::string> files,
                       std::vector<uint32_t> colours, const std::string& message) {
    problems.push_back({kind, "", std::move(files), std::move(colours), message, 0, {}});
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

} // namespace

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
                                       {}});
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
                          std::to_string(near + 1) + " apart in one channel");
    }
    return found;
}
