#include "check/Legend.h"

#include "level/ColourText.h"
#include "level/ImagePrefetch.h"
#include "level/TextParts.h"
#include "listfile/FileExtension.h"

#include <unordered_map>
#include <unordered_set>

namespace {

// A listed file that is a link out of the level folder: the viewer reads it, but the level
// does not hold it.
void noteOutsideLink(const LevelFile& file, Findings& found) {
    if (file.link.empty())
        return;
    const size_t slash = file.path.rfind('/');
    const std::string resolved =
        file.link[0] == '/' ? file.link : file.path.substr(0, slash + 1) + file.link;
    if (leavesLevel(resolved))
        found.notes.push_back({"outside",
                               "",
                               {file.path},
                               {},
                               file.path + " is a link to " + file.link +
                                   ", outside the level folder; the viewer loads it, but "
                                   "the level does not hold it",
                               0,
                               {},
                               file.path,
                               0});
}

size_t markerOf(const LevelReport& report, uint32_t colour) {
    for (size_t i = 0; i < report.markers.size(); ++i) {
        if (report.markers[i].colour == colour)
            return i;
    }
    return report.markers.size();
}

void addSwatchFindings(const LevelReport& report, const SwatchUse& use, Findings& found) {
    const LegendEntry& first = report.legend[use.entries.front()];
    const bool collision = isCollision(first.kind);
    const std::vector<std::string> files = pathsOf(report, use.entries);
    // Collision swatches are their own files; name the colour they give instead.
    const std::string which = collision ? use.path + " (the " + kindName(first.kind) + " colour)"
                                        : use.path + " of " + joined(files);
    const std::string consequence =
        collision ? std::string("the viewer has no ") + kindName(first.kind) + " colour"
                  : "the viewer leaves " + joined(files) + " out";
    const SwatchReading& reading = use.reading;
    switch (reading.status) {
    case SwatchReading::Status::Missing:
        found.problem("missing", files, {},
                      "missing swatch " + which + ": " + consequence +
                          "; add it, painted in one marker colour",
                      use.path);
        return;
    case SwatchReading::Status::Unreadable:
        found.problem("unreadable", files, {},
                      "unreadable swatch " + which + " (" + reading.reason + "): " + consequence +
                          "; save it again as a PNG image",
                      use.path);
        return;
    case SwatchReading::Status::Read:
        break;
    }
    const uint32_t colour = reading.colour;
    if (alphaOf(colour) != 255) {
        // Opaque, the swatch may take a colour another file already carries.
        const uint32_t opaque = colour | 0xFF000000u;
        const std::string clash = colourClash(report, opaque, markerOf(report, colour));
        found.problem("translucent", files, {colour},
                      "translucent swatch " + which + ": its top-left pixel has alpha " +
                          std::to_string(alphaOf(colour)) + ", so the marker colour is " +
                          colourText(colour) + "; make the swatch fully opaque" +
                          (clash.empty() ? " (" + colourText(opaque) + ")"
                                         : ", but not as " + colourText(opaque) + ", which is " +
                                               clash + ": pick another opaque colour"),
                      use.path);
    }
    if (reading.differing > 0)
        found.problem("mixed", files, {colour},
                      "mixed swatch " + which + ": " + std::to_string(reading.differing) + " of " +
                          std::to_string(reading.pixels) +
                          " pixels differ from its top-left colour " + colourText(colour) +
                          ", and the viewer shows the whole swatch; fill it with that one colour",
                      use.path);
}

} // namespace

LegendReading readLegend(const std::string& level, ImagePrefetch& images) {
    LegendReading read;
    std::vector<SwatchUse> swatches;
    std::unordered_map<std::string, size_t> swatchIndex;
    std::vector<LevelFile> files;
    // Names that are no regular file are left out, as the viewer leaves them out, in one
    // line each, in scan order.
    for (LevelFile& file : levelFiles(level)) {
        if (file.unusable.empty()) {
            noteOutsideLink(file, read.found);
            files.push_back(std::move(file));
            continue;
        }
        read.unusableSwatches.insert(file.swatchPath);
        read.found.problem("special", {file.path}, {},
                           file.path + ": " + file.unusable + "; the viewer leaves it out" +
                               (file.link.empty() ? "; make it a regular file or remove it"
                                                  : "; mend the link or remove it"));
    }
    // The swatches are decoded each once, in the order they are read, then the textures'
    // images, which the descriptions check reads after them.
    std::unordered_set<std::string> requested;
    for (const LevelFile& file : files) {
        if (requested.insert(file.swatchPath).second)
            images.request(levelPath(level, file.swatchPath));
    }
    for (const LevelFile& file : files) {
        if (file.kind == LevelFileKind::Texture && hasExtension(file.path, "png"))
            images.request(levelPath(level, file.path));
    }
    for (LevelFile& file : files) {
        auto found = swatchIndex.find(file.swatchPath);
        if (found == swatchIndex.end()) {
            found = swatchIndex.emplace(file.swatchPath, swatches.size()).first;
            const std::string path = levelPath(level, file.swatchPath);
            DecodedImage decoded = images.take(path);
            swatches.push_back({file.swatchPath, readSwatch(path, decoded), {}});
        }
        SwatchUse& use = swatches[found->second];
        use.entries.push_back(read.legend.size());
        std::optional<uint32_t> colour;
        if (use.reading.status == SwatchReading::Status::Read)
            colour = use.reading.colour;
        read.legend.push_back({file.kind, file.path, file.swatchPath, colour});
    }
    read.swatches = std::move(swatches);
    return read;
}

Findings swatchFindings(const LevelReport& report, const std::vector<SwatchUse>& swatches) {
    Findings found;
    for (const SwatchUse& use : swatches)
        addSwatchFindings(report, use, found);
    return found;
}
