#include "check/MapCheck.h"

#include "level/ColourText.h"
#include "level/MapPixel.h"
#include "level/MeantMarker.h"

#include <unordered_map>

namespace {

// What the pixels of each stray colour were meant to be, counted hint by hint.
class StrayHints {
  public:
    StrayHints(const std::vector<uint32_t>& markers, int snap)
        : classes_(markers), rule_(markers, snap) {}

    // Counts the hints of the stray pixels in rows [first, last) of a band (see BandVisitor).
    void visit(const PixelRows& band, int top, int first, int last) {
        for (int y = first; y < last; ++y) {
            int x = 0;
            while (x < band.width) {
                const uint32_t colour = band.at(x, y - top);
                int end = x + 1;
                while (end < band.width && band.at(end, y - top) == colour)
                    ++end;
                if (classes_.classify(colour).kind == MapPixelKind::Stray) {
                    if (Tally* tally = tallyOf(colour)) {
                        for (; x < end; ++x)
                            tally->add(rule_.meant(band, x, y - top));
                    }
                }
                x = end;
            }
        }
    }

    // The hint most of a stray colour's pixels get; ties go to the one met first, which is
    // the first pixel's.
    Meant hintOf(uint32_t colour) const {
        const auto found = tallies_.find(colour);
        if (found == tallies_.end())
            return {};
        const std::pair<Meant, uint64_t>* best = nullptr;
        for (const auto& counted : found->second.counts) {
            if (!best || counted.second > best->second)
                best = &counted;
        }
        return best ? best->first : Meant{};
    }

  private:
    struct Tally {
        std::vector<std::pair<Meant, uint64_t>> counts; // in the order met
        void add(const Meant& meant) {
            for (auto& counted : counts) {
                if (counted.first == meant) {
                    ++counted.second;
                    return;
                }
            }
            counts.push_back({meant, 1});
        }
    };

    // As many colours as the count lists; the rest get no hint.
    Tally* tallyOf(uint32_t colour) {
        const auto found = tallies_.find(colour);
        if (found != tallies_.end())
            return &found->second;
        if (tallies_.size() >= MapCount::trackedColours)
            return nullptr;
        return &tallies_[colour];
    }

    MapPixel classes_;
    MeantMarker rule_;
    std::unordered_map<uint32_t, Tally> tallies_;
};

// `markers` classifies by report.markers.
std::string hintText(const LevelReport& report, const MapPixel& markers, const Meant& meant,
                     int snap) {
    const auto named = [&](uint32_t colour) {
        const Marker& marker = report.markers[markers.classify(colour).marker];
        return colourText(colour) + " (" + report.legend[marker.entries.front()].path + ")";
    };
    switch (meant.kind) {
    case Meant::Near:
        return "meant " + named(meant.marker);
    case Meant::Blend:
        return "a blend of " + named(meant.marker) + " and " + named(meant.other) +
               ", its neighbours: meant " + colourText(meant.marker);
    case Meant::None:
        break;
    }
    return "no marker within " + std::to_string(snap);
}

} // namespace

bool checkMap(LevelReport& report, const std::string& file, int snap, std::vector<Finding>& strays,
              std::string& reason) {
    std::vector<uint32_t> markers;
    for (const Marker& marker : report.markers)
        markers.push_back(marker.colour);
    StrayHints hints(markers, snap);
    MapCount count = countMap(file, [&hints](const PixelRows& band, int top, int first, int last) {
        hints.visit(band, top, first, last);
    });
    if (!count.read) {
        reason = count.reason;
        return false;
    }
    MapReport map;
    map.file = file;
    map.width = count.width;
    map.height = count.height;
    map.markerPixels.assign(report.markers.size(), 0);
    map.untrackedPixels = count.untrackedPixels;
    const MapPixel pixels(markers);
    for (ColourCount& colour : count.colours) {
        const MapPixelClass found = pixels.classify(colour.colour);
        switch (found.kind) {
        case MapPixelKind::Marker:
            map.markerPixels[found.marker] = colour.pixels;
            break;
        case MapPixelKind::Empty: // unpainted: neither a marker's pixels nor a stray
            break;
        case MapPixelKind::Stray:
            map.stray.push_back(std::move(colour));
            break;
        }
    }
    for (const ColourCount& stray : map.stray) {
        std::string positions;
        for (const PixelPosition& at : stray.first)
            positions += (positions.empty() ? "" : " ") + std::string("(") + std::to_string(at.x) +
                         "," + std::to_string(at.y) + ")";
        strays.push_back({"stray",
                          file,
                          {},
                          {stray.colour},
                          "stray colour " + colourText(stray.colour) + " in " + file + ": " +
                              std::to_string(stray.pixels) +
                              (stray.pixels == 1 ? " pixel" : " pixels") + ", first at " +
                              positions + "; it is no marker colour, " +
                              hintText(report, pixels, hints.hintOf(stray.colour), snap) +
                              "; repaint it with a marker colour",
                          stray.pixels,
                          stray.first,
                          file,
                          0});
    }
    if (map.untrackedPixels > 0)
        strays.push_back(
            {"stray",
             file,
             {},
             {},
             "more than " + std::to_string(MapCount::trackedColours) + " colours in " + file +
                 ": " + std::to_string(map.untrackedPixels) +
                 " more pixels are in colours not listed; it looks like a picture, not a map "
                 "painted in marker colours",
             map.untrackedPixels,
             {},
             file,
             0});
    report.maps.push_back(std::move(map));
    return true;
}
