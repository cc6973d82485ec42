#include "check/LevelCheck.h"

#include "check/ColourChecks.h"
#include "check/DescriptionCheck.h"
#include "check/StderrCapture.h"
#include "check/SwatchReading.h"
#include "level/ColourText.h"
#include "level/ImagePrefetch.h"
#include "level/TextParts.h"
#include "platform/DirectoryListing.h"
#include "platform/PathStatus.h"
#include "platform/ThreadStderr.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>

const char* kindName(LevelFileKind kind) {
    switch (kind) {
    case LevelFileKind::Texture:
        return "texture";
    case LevelFileKind::Object:
        return "object";
    case LevelFileKind::WalkBehind:
        return "walk behind";
    case LevelFileKind::WalkInto:
        return "walk into";
    }
    return "";
}

namespace {

// Why an existing path cannot be listed as a folder; empty when it can, or when it is absent
// and may be.
std::string folderProblem(const std::string& path, bool mustExist) {
    const PathStatus status = pathStatus(path);
    if (!status.exists)
        return mustExist || status.error != ENOENT ? std::strerror(status.error) : "";
    if (!status.folder)
        return "it is not a folder";
    return folderListingProblem(path);
}

class Checker {
  public:
    Checker(const std::string& level, int near) {
        report_.level = level;
        report_.near = near;
    }

    LevelReport run() {
        capture_.begin();
        images_ = std::make_unique<ImagePrefetch>();
        checkFolders();
        readLegend();
        report_.markers = markersOf(report_.legend);
        // After the markers, against which the advised colours are checked.
        for (const SwatchUse& use : swatches_)
            checkSwatch(use);
        checkOrphans();
        addFindings(duplicateFindings(report_));
        addFindings(nearFindings(report_));
        checkDescriptions();
        capture_.end();
        return std::move(report_);
    }

  private:
    // The legend entries that read one swatch file (a texture's ".png" and ".txt" share one).
    struct SwatchUse {
        std::string path;
        SwatchReading reading;
        std::vector<size_t> entries;
    };

    void addFindings(Findings found) {
        for (Finding& finding : found.problems)
            report_.problems.push_back(std::move(finding));
        for (Finding& note : found.notes)
            report_.notes.push_back(std::move(note));
    }

    void problem(const std::string& kind, std::vector<std::string> files,
                 std::vector<uint32_t> colours, const std::string& message) {
        report_.problems.push_back(
            {kind, "", std::move(files), std::move(colours), message, 0, {}});
    }

    void checkFolders() {
        std::vector<std::string> folders = scannedFolders();
        folders.push_back("levels");
        for (const std::string& folder : folders) {
            const std::string why = folderProblem(levelPath(report_.level, folder), false);
            if (!why.empty())
                problem("folder", {folder}, {},
                        "unreadable folder " + folder + " (" + why +
                            "): the viewer sees no files in it; make it a readable folder");
        }
    }

    void readLegend() {
        std::vector<SwatchUse> swatches;
        std::unordered_map<std::string, size_t> swatchIndex;
        std::vector<LevelFile> files;
        // Names that are no regular file are left out, as the viewer leaves them out, in one
        // line each, in scan order.
        for (LevelFile& file : levelFiles(report_.level)) {
            if (file.unusable.empty()) {
                noteOutsideLink(file);
                files.push_back(std::move(file));
                continue;
            }
            unusableSwatches_.insert(file.swatchPath);
            problem("special", {file.path}, {},
                    file.path + ": " + file.unusable + "; the viewer leaves it out" +
                        (file.link.empty() ? "; make it a regular file or remove it"
                                           : "; mend the link or remove it"));
        }
        // The swatches are decoded each once, in the order they are read, then the textures'
        // images, which the descriptions check reads after them.
        ImagePrefetch& images = *images_;
        std::unordered_set<std::string> requested;
        for (const LevelFile& file : files) {
            if (requested.insert(file.swatchPath).second)
                images.request(levelPath(report_.level, file.swatchPath));
        }
        for (const LevelFile& file : files) {
            if (file.kind == LevelFileKind::Texture && endsWith(file.path, ".png"))
                images.request(levelPath(report_.level, file.path));
        }
        for (LevelFile& file : files) {
            auto found = swatchIndex.find(file.swatchPath);
            if (found == swatchIndex.end()) {
                found = swatchIndex.emplace(file.swatchPath, swatches.size()).first;
                const std::string path = levelPath(report_.level, file.swatchPath);
                DecodedImage decoded = images.take(path);
                // Where a worker cannot keep what the library printed, a failed file is decoded
                // once more here, so that the reason is the library's own words all the same.
                if (!decoded.image && decoded.refusal.empty() && !ThreadStderr::possible())
                    decoded.image = decodeLevelImage(path, capture_, decoded.reason);
                swatches.push_back({file.swatchPath, readSwatch(path, decoded), {}});
            }
            SwatchUse& use = swatches[found->second];
            use.entries.push_back(report_.legend.size());
            std::optional<uint32_t> colour;
            if (use.reading.status == SwatchReading::Status::Read)
                colour = use.reading.colour;
            report_.legend.push_back({file.kind, file.path, file.swatchPath, colour});
        }
        swatches_ = std::move(swatches);
    }

    size_t markerOf(uint32_t colour) const {
        for (size_t i = 0; i < report_.markers.size(); ++i) {
            if (report_.markers[i].colour == colour)
                return i;
        }
        return report_.markers.size();
    }

    void checkSwatch(const SwatchUse& use) {
        const LegendEntry& first = report_.legend[use.entries.front()];
        const bool collision = isCollision(first.kind);
        const std::vector<std::string> files = pathsOf(report_, use.entries);
        // Collision swatches are their own files; name the colour they give instead.
        const std::string which = collision
                                      ? use.path + " (the " + kindName(first.kind) + " colour)"
                                      : use.path + " of " + joined(files);
        const std::string consequence =
            collision ? std::string("the viewer has no ") + kindName(first.kind) + " colour"
                      : "the viewer leaves " + joined(files) + " out";
        const SwatchReading& reading = use.reading;
        switch (reading.status) {
        case SwatchReading::Status::Missing:
            problem("missing", files, {},
                    "missing swatch " + which + ": " + consequence +
                        "; add it, painted in one marker colour");
            return;
        case SwatchReading::Status::Unreadable:
            problem("unreadable", files, {},
                    "unreadable swatch " + which + " (" + reading.reason + "): " + consequence +
                        "; save it again as a PNG image");
            return;
        case SwatchReading::Status::Read:
            break;
        }
        const uint32_t colour = reading.colour;
        if (alphaOf(colour) != 255) {
            // Opaque, the swatch may take a colour another file already carries.
            const uint32_t opaque = colour | 0xFF000000u;
            const std::string clash = colourClash(report_, opaque, markerOf(colour));
            problem("translucent", files, {colour},
                    "translucent swatch " + which + ": its top-left pixel has alpha " +
                        std::to_string(alphaOf(colour)) + ", so the marker colour is " +
                        colourText(colour) + "; make the swatch fully opaque" +
                        (clash.empty() ? " (" + colourText(opaque) + ")"
                                       : ", but not as " + colourText(opaque) + ", which is " +
                                             clash + ": pick another opaque colour"));
        }
        if (reading.differing > 0)
            problem("mixed", files, {colour},
                    "mixed swatch " + which + ": " + std::to_string(reading.differing) + " of " +
                        std::to_string(reading.pixels) +
                        " pixels differ from its top-left colour " + colourText(colour) +
                        ", and the viewer shows the whole swatch; fill it with that one colour");
    }

    // A listed file that is a link out of the level folder: the viewer reads it, but the level
    // does not hold it.
    void noteOutsideLink(const LevelFile& file) {
        if (file.link.empty())
            return;
        const size_t slash = file.path.rfind('/');
        const std::string resolved =
            file.link[0] == '/' ? file.link : file.path.substr(0, slash + 1) + file.link;
        if (leavesLevel(resolved))
            report_.notes.push_back({"outside",
                                     "",
                                     {file.path},
                                     {},
                                     file.path + " is a link to " + file.link +
                                         ", outside the level folder; the viewer loads it, but "
                                         "the level does not hold it",
                                     0,
                                     {}});
    }

    void checkOrphans() {
        // The swatch of a listed file that is no regular file is that file's, already named.
        std::set<std::string> used = unusableSwatches_;
        for (const LegendEntry& entry : report_.legend)
            used.insert(entry.swatchPath);
        for (const std::string& swatch : swatchFiles(report_.level)) {
            if (used.count(swatch))
                continue;
            const std::string stem = swatch.substr(0, swatch.size() - 6);
            const bool textures = swatch.compare(0, 9, "textures/") == 0;
            if (const std::string owner = unscannedOwner(stem, textures, used); !owner.empty()) {
                problem("orphan", {swatch, owner}, {},
                        "orphan swatch " + swatch + ": " + owner +
                            " is named like a swatch (its name ends in _p), so it is never "
                            "scanned; rename it and its swatch to a name that does not end in _p");
                continue;
            }
            // Only a file that is not there can be advised to be added.
            std::vector<std::string> absent;
            for (const std::string& owner :
                 textures ? std::vector<std::string>{stem + ".png", stem + ".txt"}
                          : std::vector<std::string>{stem + ".txt"}) {
                const std::string where = levelPath(report_.level, owner);
                if (!pathStatus(where).exists && linkTarget(where).empty())
                    absent.push_back(owner);
            }
            problem("orphan", {swatch}, {},
                    "orphan swatch " + swatch + ": no scanned file uses it; remove it" +
                        (absent.empty() ? std::string() : " or add " + joined(absent, " or ")));
        }
    }

    // The file a swatch "<stem>_p.png" belongs to that exists but is never scanned, because
    // <stem> itself ends in "_p"; "" when there is none. An image that is some scanned
    // file's swatch is no such file: it is a swatch.
    std::string unscannedOwner(const std::string& stem, bool textures,
                               const std::set<std::string>& swatchesInUse) const {
        std::vector<std::string> owners = {stem + ".txt"};
        if (textures)
            owners.insert(owners.begin(), stem + ".png");
        for (const std::string& owner : owners) {
            if (isSwatchName(owner.substr(owner.rfind('/') + 1)) && !swatchesInUse.count(owner) &&
                pathStatus(levelPath(report_.level, owner)).regular)
                return owner;
        }
        return "";
    }

    // The textures built as the viewer builds them, descriptions and the images they name
    // included, after the swatches: what the viewer reports while it builds them.
    void checkDescriptions() {
        DescriptionCheck descriptions(report_.level, *images_, capture_);
        for (const LegendEntry& entry : report_.legend) {
            if (entry.kind == LevelFileKind::Texture)
                descriptions.checkTexture(entry.path);
        }
        addFindings(std::move(descriptions.findings()));
    }

    LevelReport report_;
    // What the image library, the reader and the element model print belongs in the findings,
    // not on standard error; caught before the workers start, for systems where they cannot
    // keep it apart themselves.
    StderrCapture capture_;
    // Every image the check reads, decoded on worker threads in the order it reads them.
    std::unique_ptr<ImagePrefetch> images_;
    std::set<std::string> unusableSwatches_;
    std::vector<SwatchUse> swatches_;
};

} // namespace

std::string levelFolderProblem(const std::string& level) {
    return folderProblem(level.empty() ? "." : level, true);
}

LevelReport checkLevel(const std::string& level, int near) {
    return Checker(level, near).run();
}
