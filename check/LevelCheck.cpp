#include "check/LevelCheck.h"

#include "check/ColourChecks.h"
#include "check/DescriptionCheck.h"
#include "check/Legend.h"
#include "check/MapCheck.h"
#include "check/ReportParts.h"
#include "check/StrayFix.h"
#include "check/SwatchReading.h"
#include "level/ColourText.h"
#include "level/ImagePrefetch.h"
#include "level/TextParts.h"
#include "platform/DirectoryListing.h"
#include "platform/LibraryOutput.h"
#include "platform/PathStatus.h"
#include "platform/WorkingFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <iterator>
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

// "/a/b/" gives "b", "/" itself; "" stays "".
std::string lastPart(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos || path.size() == 1 ? path : path.substr(slash + 1);
}

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
    Checker(const std::string& level, const LevelCheckSettings& settings, unsigned decodeThreads)
        : settings_(settings), decodeThreads_(decodeThreads) {
        report_.level = level;
        report_.near = settings.near;
        if (level.empty() || level == ".")
            report_.folderName = lastPart(workingFolder());
    }

    LevelReport run() {
        // What the image library prints itself (libpng's lines) belongs in the findings, not
        // on standard error: where a worker cannot catch its own, the images are decoded here.
        images_ = std::make_unique<ImagePrefetch>(decodeThreads_);
        checkFolders();
        LegendReading read = readLegend(report_.level, *images_);
        report_.legend = std::move(read.legend);
        unusableSwatches_ = std::move(read.unusableSwatches);
        addFindings(std::move(read.found));
        report_.markers = markersOf(report_.legend);
        // After the markers, against which the advised colours are checked.
        addFindings(swatchFindings(report_, read.swatches));
        checkOrphans();
        checkUnscannedFolders();
        addFindings(duplicateFindings(report_));
        const size_t nearAt = report_.problems.size();
        checkDescriptions();
        // The maps once the textures' images are decoded, as ever; the near pairs after them,
        // whose advice weighs the maps' use of the markers, listed where they always were.
        std::vector<Finding> strays = checkMaps();
        std::vector<Finding> near = nearFindings(report_).problems;
        report_.problems.insert(report_.problems.begin() + std::ptrdiff_t(nearAt),
                                std::make_move_iterator(near.begin()),
                                std::make_move_iterator(near.end()));
        for (Finding& stray : strays)
            report_.problems.push_back(std::move(stray));
        return std::move(report_);
    }

  private:
    void addFindings(Findings found) {
        for (Finding& finding : found.problems)
            report_.problems.push_back(std::move(finding));
        for (Finding& note : found.notes)
            report_.notes.push_back(std::move(note));
    }

    void problem(const std::string& kind, std::vector<std::string> files,
                 std::vector<uint32_t> colours, const std::string& message) {
        const std::string location = files.front();
        report_.problems.push_back(
            {kind, "", std::move(files), std::move(colours), message, 0, {}, location, 0});
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

    // Levels that sort their art into folders inside textures/ lose those files: the viewer
    // lists no folder inside a scanned one. A folder without swatches is art that the
    // descriptions name (animation frames), no level files left behind.
    void checkUnscannedFolders() {
        for (const UnscannedFolder& folder : unscannedFolders(report_.level)) {
            if (folder.swatches == 0)
                continue;
            const std::string parent = folder.path.substr(0, folder.path.find('/'));
            const bool textures = parent == "textures";
            std::string files = plural(folder.swatches, "swatch", "swatches");
            if (folder.files > 0)
                files = plural(folder.files, textures ? "texture" : "object",
                               textures ? "textures" : "objects") +
                        " and " + files;
            report_.notes.push_back(
                {"unscanned",
                 "",
                 {folder.path},
                 {},
                 "folder " + folder.path + "/ holds " + files +
                     " that are not scanned: the viewer reads only the files directly in " +
                     parent + "/; move those the level needs into " + parent + "/",
                 0,
                 {},
                 folder.path,
                 0});
        }
    }

    // The maps, counted against the markers; their strays are returned, to be listed last.
    std::vector<Finding> checkMaps() {
        std::vector<Finding> strays;
        std::set<std::string> done;
        for (const std::string& map : settings_.maps) {
            if (!done.insert(map).second)
                continue;
            // Counted as it is now: the strays left are the problems. A map that cannot be
            // read at all is named once, as unreadable.
            std::string unsaved;
            const bool fixed =
                !settings_.fixStrays || fixStrays(report_, map, settings_.snap, unsaved);
            std::string reason;
            if (!checkMap(report_, map, settings_.snap, strays, reason))
                report_.unreadableMaps.push_back({map, reason});
            else if (!fixed)
                report_.unsavedMaps.push_back({map, unsaved});
        }
        return strays;
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
        DescriptionCheck descriptions(report_.level, *images_);
        for (const LegendEntry& entry : report_.legend) {
            if (entry.kind == LevelFileKind::Texture)
                descriptions.checkTexture(entry.path);
        }
        addFindings(std::move(descriptions.findings()));
    }

    const LevelCheckSettings& settings_;
    unsigned decodeThreads_;
    LevelReport report_;
    // Every image the check reads, decoded on worker threads in the order it reads them.
    std::unique_ptr<ImagePrefetch> images_;
    std::set<std::string> unusableSwatches_;
};

} // namespace

std::string levelFolderProblem(const std::string& level) {
    return folderProblem(level.empty() ? "." : level, true);
}

LevelReport checkLevel(const std::string& level, const LevelCheckSettings& settings) {
    return checkLevel(level, settings,
                      LibraryOutput::threadsOwnTheirs() ? DecodePool::threadCount() : 0);
}

LevelReport checkLevel(const std::string& level, const LevelCheckSettings& settings,
                       unsigned decodeThreads) {
    return Checker(level, settings, decodeThreads).run();
}
