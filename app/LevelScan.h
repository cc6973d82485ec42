#pragma once

#include "app/ImageSources.h"
#include "app/LevelContents.h"
#include "diagnostics/DiagnosticSink.h"
#include "level/LevelLayout.h"
#include "sprites/SpriteCatalog.h"

#include <cstddef>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class ImagePrefetch;

// A scan of the level that runs a slice at a time between frames, so that the window keeps
// going while a level loads. Its files are those of levelFiles, scanned in that order; the
// contents it fills, the catalogue and the lines on standard error it leaves are those of a
// scan run in one go, each line written as it is found. Only the thread that made it uses it, and
// it needs the video mode set.
class LevelScan {
  public:
    enum class Kind {
        // Fills the shown level as files come (it starts empty: unloadLevel first), so that
        // the rows of the page looked at show as soon as their files are read.
        Load,
        // Builds the next level beside the shown one, keeping from the scan before (see
        // `kept`) every image sprite and swatch colour whose files' stamps did not change, and
        // swaps it in whole at the end; what the shown level points to stays until then.
        Rescan,
    };

    // Starts listing and stamping the level's files on threads of their own; the first slice
    // to find them listed starts decoding their images on the workers. `kept` (it may be null
    // for a load) is what the scan before left, and is left holding what this scan read, the
    // images descriptions name stamped as they are named. `shown` is the level on screen, which
    // a load fills and a rescan swaps its level into; it must outlive the scan. Never fails.
    LevelScan(Kind kind, KeptFiles* kept, LevelContents& shown);
    ~LevelScan();
    LevelScan(const LevelScan&) = delete;
    LevelScan& operator=(const LevelScan&) = delete;

    // Scans files until SDL's tick counter passes `deadline` (a file is never cut; at least
    // one file is scanned once they are listed, until then the slice waits on the listing),
    // and ends the scan after the last; returns whether it has ended.
    bool stepUntil(uint32_t deadline);
    // Scans every file left and ends the scan.
    void finish();

    bool ended() const { return ended_; }
    // Whether the files are listed yet (fileCount counts them from then on).
    bool listed() const { return started_; }
    Kind kind() const { return kind_; }
    // Files scanned so far, of how many.
    size_t filesRead() const { return next_; }
    size_t fileCount() const { return files_.size(); }
    // The problem lines the scan wrote on standard error, once it has ended; none before.
    std::optional<size_t> problems() const { return problems_; }

    struct Listing {
        std::vector<LevelFile> files;
        // Of what the scan before made, and of the files when they are stamped.
        std::map<std::string, FileStamp> stamps;
        std::set<std::string> unchanged; // what the scan before made, unchanged since
    };

  private:
    void start();
    // Asks the workers for the images of the files a little ahead of the next.
    void requestAhead();
    void end();
    // Gives the catalogue back the sources it had before this scan's and puts back what drawing
    // lent meanwhile.
    void releaseCatalog();

    Kind kind_;
    KeptFiles* kept_;
    LevelContents& shown_;
    // Where the scan's problems go: each written at once, and counted.
    StandardErrorSink lines_;
    std::future<Listing> listing_;
    bool started_ = false;
    std::vector<LevelFile> files_;
    size_t next_ = 0;
    size_t requested_ = 0; // the files up to here have had their images asked for
    LevelContents aside_;  // the next level, for a rescan
    std::unique_ptr<ImagePrefetch> images_;
    std::unique_ptr<PrefetchedImages> prefetched_;
    CatalogSources before_; // what the catalogue had before this scan's sources
    bool ended_ = false;
    std::optional<size_t> problems_;
};
