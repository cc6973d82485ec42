#pragma once

#include "level/MapImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A map's unsaved edits kept in a recovery folder, so that a signal or a crash loses none (or
// little) of them. Each run writes its own file per map, never over an older run's, named
// "<stem>.<hash>.<run>.png": the hash of the map's absolute path tells maps of the same name
// apart, the run its start time and process. The file is an RGBA PNG whose "levelcolors map"
// text chunk holds the map's absolute path: what a file is taken to belong to.
class MapRecovery {
  public:
    struct File {
        std::string path;
        int64_t modified = 0; // seconds since 1970
    };

    // The text chunk naming the map a file belongs to.
    static constexpr const char* mapKey = "levelcolors map";

    // Files go to `folder`, made when the first is written; this run is called `run`.
    MapRecovery(std::string folder, std::string run);

    // A name for the run starting now: its local time and the process id. Never fails.
    static std::string runNow();
    // What names a map: its absolute path, links resolved as far as it exists (a map deleted
    // since is named by its folder's real path). Never fails.
    static std::string mapName(const std::string& mapPath);

    const std::string& folder() const { return folder_; }
    // This run's file for the map named `map` (mapName). Never fails.
    std::string fileOf(const std::string& map) const;

    // Writes `pixels` (width by height, 0xAARRGGBB) to this run's file for `map`, replacing it
    // whole or not at all. Returns "" or the problem in one line ("Permission denied", ...).
    std::string write(const std::string& map, int width, int height,
                      const std::vector<uint32_t>& pixels) const;
    // The files of every run for `map`, oldest first, this run's left out unless `own`.
    std::vector<File> filesOf(const std::string& map, bool own = false) const;
    // Removes the files of every run for `map`. Returns "" or the first problem.
    std::string removeAll(const std::string& map) const;

    // Reads a recovery file, which must belong to `map`. None on failure, with `reason` set to
    // one line ("belongs to another map", or the reader's reason).
    static std::optional<MapImage> read(const std::string& file, const std::string& map,
                                        std::string& reason);

  private:
    std::string prefixOf(const std::string& map) const;

    std::string folder_;
    std::string run_;
};
