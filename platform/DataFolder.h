#pragma once

#include <string>

// The viewer's own data folder, which holds the fonts and pictures a level may lack:
// "share/levelcolors" beside the "bin" folder of the executable, so that a moved install
// still finds it, or the source tree's "demo" folder when the executable runs from the
// build folder; on Windows the "data" folder beside the executable. Found once, from the
// executable's path, never from the working folder;
// "" when there is none.
const std::string& dataFolder();

// Where the data folder lies, in words for a usage text: "share/levelcolors beside its bin
// folder", or on Windows: "data" beside its .exe.
const char* dataFolderPlace();

// Where to read `relative`: itself when it names a file (the level's own copy comes first),
// else its copy in the data folder when that exists, else `relative` unchanged, so that the
// failure to load it names the path as the level knows it.
std::string findDataFile(const std::string& relative);
