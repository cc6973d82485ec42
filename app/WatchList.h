#pragma once

#include "platform/FileWatcher.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The folders to watch for a scanned level, and which of their changes call for a rescan.
class WatchList {
  public:
    // The list for a scan of the level in `level` ("" for the working folder) that read the
    // files `named` (the sprite catalogue's names, as the level names them): the level folder
    // itself, so that a folder deleted and re-created is seen; the scanned folders and the
    // collision swatches' folder; the folder of every named file. A missing folder is watched
    // at its nearest existing parent, where only the entry on the way to it matters: the
    // parent may be a busy folder outside the level (the temporary folder, say). `pictures` pairs
    // each file that a picture (a font, the background, the overlay) loads from, or would load from
    // once it exists, with the picture's own path ("fonts/bigFont.png"); their folders are watched
    // too.
    static WatchList
    fromScan(const std::string& level, const std::vector<std::string>& named,
             const std::vector<std::pair<std::string, std::string>>& pictures = {});

    // Each folder once, the level folder (".") first; paths as the level names them.
    const std::vector<std::string>& folders() const { return folders_; }

    // Whether a change calls for a rescan: lost changes, a watched folder gone, the entry on
    // the way to a missing folder, and in folders watched as themselves any folder entry, a
    // ".png" or ".txt" file in a scanned folder, or a named file. Other files (a log written
    // beside the level, say) do not.
    bool matters(const FolderChange& change) const;

    // The pictures, by their own paths, that a change calls to load again: the one whose file
    // it is; all of them when changes were lost or when a folder came or went in, or as, a
    // picture's folder, which can change where a picture loads from (in a folder watched only
    // for a missing one, just the entry on the way to it).
    std::set<std::string> pictures(const FolderChange& change) const;

  private:
    // Watches `folder`, or its nearest existing parent; returns the folder watched.
    std::string add(const std::string& level, std::string folder);
    // Whether a change in a folder watched only for a missing one can be passed over.
    bool besideTheWay(const FolderChange& change) const;

    std::vector<std::string> folders_;
    std::set<std::string> asThemselves_;               // folders watched for their own entries
    std::map<std::string, std::set<std::string>> way_; // parent -> the entries toward missing ones
    std::set<std::string> scanned_;
    std::set<std::string> named_;                  // "<folder>/<name>", with the folder as watched
    std::map<std::string, std::string> pictureOf_; // "<folder>/<name>" -> the picture's path
    std::set<std::string> pictureFolders_;         // as watched
};
