#include "check/StrayFix.h"

#include "check/ReportParts.h"
#include "diagnostics/DiagnosticSink.h"
#include "level/ColourText.h"
#include "level/MapEditor.h"
#include "level/MapImageReader.h"
#include "level/MapImageWriter.h"
#include "level/MapPixel.h"
#include "level/MeantMarker.h"
#include "platform/FileStamp.h"

#include <functional>
#include <optional>
#include <unordered_map>

namespace {

// The pixels of one stray colour snapped to one marker.
struct Change {
    uint32_t from = 0;
    uint32_t to = 0;
    uint64_t pixels = 0;
    std::vector<PixelPosition> first;
};

// Decides each pixel of a map before the snap, counting the changes by (from, to) pair in
// the order they are met (reading order).
class SnapDecision {
  public:
    SnapDecision(const std::vector<uint32_t>& markers, int snap)
        : classes_(markers), rule_(markers, snap) {}

    std::optional<uint32_t> operator()(const MapCanvas& before, int column, int row) {
        const uint32_t pixel = before.at(column, row);
        // Maps are flat areas: the class of a run's colour is looked up once.
        if (!known_ || pixel != lastPixel_) {
            known_ = true;
            lastPixel_ = pixel;
            lastStray_ = classes_.classify(pixel).kind == MapPixelKind::Stray;
        }
        if (!lastStray_)
            return std::nullopt;
        const PixelRows rows = {before.pixels().data(), before.width(), before.height(),
                                size_t(before.width())};
        const Meant meant = rule_.meant(rows, column, row);
        if (meant.kind == Meant::None)
            return std::nullopt;
        count(pixel, meant.marker, column, row);
        return meant.marker;
    }

    const std::vector<Change>& changes() const { return changes_; }

  private:
    void count(uint32_t from, uint32_t to, int column, int row) {
        const uint64_t key = uint64_t(from) << 32 | to;
        const auto found = index_.emplace(key, changes_.size());
        if (found.second)
            changes_.push_back({from, to, 0, {}});
        Change& change = changes_[found.first->second];
        ++change.pixels;
        if (change.first.size() < MapCount::firstPositions)
            change.first.push_back({column, row});
    }

    MapPixel classes_;
    MeantMarker rule_;
    bool known_ = false;
    uint32_t lastPixel_ = 0;
    bool lastStray_ = false;
    std::unordered_map<uint64_t, size_t> index_;
    std::vector<Change> changes_;
};

Finding fixedNote(const LevelReport& report, const MapPixel& markers, const std::string& file,
                  const Change& change) {
    const Marker& marker = report.markers[markers.classify(change.to).marker];
    const std::string markerFile = report.legend[marker.entries.front()].path;
    const bool one = change.pixels == 1;
    return {"fixed",
            file,
            {markerFile},
            {change.from, change.to},
            "fixed " + file + ": " + plural(change.pixels, "pixel", "pixels") + " of " +
                colourText(change.from) + (one ? " is" : " are") + " now " + colourText(change.to) +
                " (" + markerFile + ")",
            change.pixels,
            change.first,
            file,
            0};
}

} // namespace

bool fixStrays(LevelReport& report, const std::string& file, int snap, std::string& reason) {
    // Stamped before it is read: a change made meanwhile refuses the save.
    FileReplacement::Rules rules;
    rules.expected = fileStamp(file);
    std::optional<MapImage> image = readMapImage(file, reason);
    if (!image)
        return false;
    std::vector<uint32_t> markers;
    for (const Marker& marker : report.markers)
        markers.push_back(marker.colour);
    MapEditor editor(MapCanvas(image->width, image->height, std::move(image->pixels)));
    SnapDecision decide(markers, snap);
    if (editor.snap(std::ref(decide)) == 0)
        return true;
    image->pixels = editor.canvas().pixels();
    DiagnosticList said;
    if (!saveMapImage(file, *image, rules, said, reason))
        return false;
    for (const Diagnostic& line : said.items)
        report.mapSaveLines.push_back(line.written());
    const MapPixel classes(markers);
    for (const Change& change : decide.changes())
        report.notes.push_back(fixedNote(report, classes, file, change));
    return true;
}
