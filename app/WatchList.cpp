#include "app/WatchList.h"

#include "level/LevelLayout.h"
#include "listfile/FileExtension.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

// "textures/frames" for "textures/frames/a.png", "." for a bare name, "/" for "/a.png".
std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isFolder(const std::string& level, const std::string& folder) {
    std::error_code error;
    const bool relative = folder.empty() || folder[0] != '/';
    return std::filesystem::is_directory(relative ? levelPath(level, folder) : folder, error);
}

} // namespace

WatchList WatchList::fromScan(const std::string& level, const std::vector<std::string>& named,
                              const std::vector<std::pair<std::string, std::string>>& pictures) {
    WatchList list;
    list.add(level, ".");
    std::vector<std::string> scanned = scannedFolders();
    scanned.push_back(folderOf(walkBehindSwatch));
    scanned.push_back(folderOf(walkIntoSwatch));
    for (const std::string& folder : scanned) {
        list.scanned_.insert(folder);
        list.add(level, folder);
    }
    // A folder is looked at once however many files it holds: adding it again changes nothing.
    std::set<std::string> added;
    for (const std::string& path : named) {
        const std::string folder = folderOf(path);
        list.named_.insert(folder + "/" + nameOf(path));
        if (added.insert(folder).second)
            list.add(level, folder);
    }
    for (const auto& [file, picture] : pictures) {
        const std::string folder = folderOf(file);
        list.pictureOf_[folder + "/" + nameOf(file)] = picture;
        list.pictureFolders_.insert(list.add(level, folder));
    }
    return list;
}

std::string WatchList::add(const std::string& level, std::string folder) {
    std::string entry; // the entry of `folder` on the way to the folder asked for
    while (folder != "." && folder != "/" && !isFolder(level, folder)) {
        entry = nameOf(folder);
        folder = folderOf(folder);
    }
    if (entry.empty())
        asThemselves_.insert(folder);
    else
        way_[folder].insert(entry);
    if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end())
        folders_.push_back(folder);
    return folder;
}

bool WatchList::besideTheWay(const FolderChange& change) const {
    if (change.folder.empty() || change.name.empty() || asThemselves_.count(change.folder))
        return false;
    const auto way = way_.find(change.folder);
    return way == way_.end() || !way->second.count(change.name);
}

bool WatchList::matters(const FolderChange& change) const {
    if (besideTheWay(change))
        return false;
    if (change.folder.empty() || change.name.empty() || change.isFolder)
        return true;
    if (scanned_.count(change.folder) &&
        (hasExtension(change.name, "png") || hasExtension(change.name, "txt")))
        return true;
    return named_.count(change.folder + "/" + change.name) != 0;
}

std::set<std::string> WatchList::pictures(const FolderChange& change) const {
    std::set<std::string> touched;
    if (besideTheWay(change))
        return touched;
    if (change.folder.empty() ||
        ((change.name.empty() || change.isFolder) && pictureFolders_.count(change.folder))) {
        for (const auto& entry : pictureOf_)
            touched.insert(entry.second);
        return touched;
    }
    const auto picture = pictureOf_.find(change.folder + "/" + change.name);
    if (picture != pictureOf_.end())
        touched.insert(picture->second);
    return touched;
}
