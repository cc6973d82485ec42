#pragma once

#include "platform/PathStatus.h"

#include <string>
#include <vector>

// What a level file is to the viewer.
enum class LevelFileKind { Texture, Object, WalkBehind, WalkInto };

// One file the level scan reads, with the swatch that holds its marker colour. Paths are
// relative to the level folder, as the viewer names them ("textures/lava.txt").
struct LevelFile {
    LevelFileKind kind;
    std::string path;
    std::string swatchPath;
    // What a symbolic link at `path` names, as it spells it; "" for no link.
    std::string link = "";
    // Why the listed name is no file the scan can read ("a link to X, which does not exist",
    // "not a regular file" for a FIFO, device or folder); "" for a regular file. The scan names
    // such a file in that one line and carries on without it.
    std::string unusable = "";
};

// A level path as the program opens it: `path` inside the level folder `level` ("" for the
// working folder, where the path stays as it is). Never fails.
std::string levelPath(const std::string& level, const std::string& path);

// The folders of object description files, in scan order.
extern const char* const objectFolders[4];
extern const char* const walkBehindSwatch; // "levels/walkbehind_p.png"
extern const char* const walkIntoSwatch;   // "levels/walkinto_p.png"

// Whether a file name is a swatch's (its stem ends in "_p"): the two characters that begin
// six before the end are "_p". Shorter names have no room for it and are not swatches.
bool isSwatchName(const std::string& name);

// The swatch of a file: its path without the file's last extension, then "_p.png"
// ("textures/a.b.png" gives "textures/a.b_p.png").
std::string swatchPathOf(const std::string& path);

// Why a listed level path is no file the scan can read, given what a link there names (see
// LevelFile::unusable); "" for a regular file. Never fails.
std::string unusableReason(const std::string& path, const std::string& link);
// The same for a path already looked at.
std::string unusableReasonOf(const PathStatus& status, const std::string& link);

// The textures of one extension ("png" or "txt") in "textures/", or the ".txt" objects of one
// folder, in listing order, swatches left out; entries that are no regular file are listed
// with why. `level` is the level folder ("" for the
// working folder). A missing folder yields nothing.
std::vector<LevelFile> textureFiles(const std::string& level, const std::string& extension);
std::vector<LevelFile> objectFiles(const std::string& level, const std::string& folder);

// Whether a path that a description names lies outside the level folder: an absolute path, or
// one whose ".." parts climb above it ("../art/x.png", "textures/../../x.png").
bool leavesLevel(const std::string& path);

// The folders whose files the scan lists: "textures", then the object folders.
std::vector<std::string> scannedFolders();

// Whether `folder` ("" for the working folder) is a level: it holds one of the scanned folders
// (a link to a folder counts). Never fails: what cannot be looked at is no level.
bool isLevelFolder(const std::string& folder);

// The swatch images ("_p.png" names) present in the scanned folders, as level paths, folder by
// folder in listing order, whether or not a scanned file uses them. A missing folder has none.
std::vector<std::string> swatchFiles(const std::string& level);

// A folder directly inside a scanned folder, which the scan never reads, with the files in it
// that the scan would read in the scanned folder itself.
struct UnscannedFolder {
    std::string path;    // a level path, "textures/balls"
    size_t files = 0;    // textures (.png, .txt) or, in an object folder, objects (.txt)
    size_t swatches = 0; // NAME_p.png images
};

// The folders directly inside the scanned folders (links to folders too), folder by folder in
// scan order and by name in byte order, except those named like a level file (.png, .txt),
// which the scan names as no regular file in textures/. Never fails: a folder that cannot be
// listed holds none.
std::vector<UnscannedFolder> unscannedFolders(const std::string& level);

// Every file of the level in scan order: textures from ".png" files, textures from ".txt"
// files, the walk-behind and walk-into swatches, then the objects of each object folder.
std::vector<LevelFile> levelFiles(const std::string& level);
