#include "app/CommandLine.h"

#include "platform/DataFolder.h"
#include "platform/WorkingFolder.h"

#include <cstdio>
#include <string>

namespace {

constexpr int exitUsage = 2;

// The data folder's place differs between systems; the rest is the same everywhere.
std::string usageText() {
    return std::string(R"(usage: levelcolors [LEVEL_FOLDER]

Shows the marker colours of a level (default: the current folder) page by page in a
300 by 800 window. Every path the viewer reads is relative to the level folder; the fonts
and pictures a level lacks (fonts/smallFont.png, fonts/bigFont.png, whiteBG.png,
scramble.png) come from the viewer's data folder, )") +
           dataFolderPlace() + R"(.

keys: t textures, o objects, y collision colours; 1 to 9 and 0 pages 1 to 10,
q w e r, a s d f, z x c v pages 11 to 22; Page Down, Page Up, Home, End and the
mouse wheel browse every page; b the background; i the info overlay; F5 rescans;
Escape quits.

options:
  --help     this text
  --version  the name and the version
)";
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool levelGiven = false;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--help") {
            line.help = true;
        } else if (!optionsEnded && argument == "--version") {
            line.version = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            line.error = "unknown option " + argument;
            break;
        } else if (levelGiven) {
            line.error = "more than one level folder: " + line.level + " and " + argument;
            break;
        } else {
            line.level = argument;
            levelGiven = true;
        }
    }
    return line;
}

std::optional<int> applyCommandLine(int argc, char** argv) {
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) {
        std::fprintf(stderr, "levelcolors: %s\n%s", line.error.c_str(), usageText().c_str());
        return exitUsage;
    }
    if (line.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("levelcolors %s\n", LEVELCOLORS_VERSION);
        return 0;
    }
    if (!line.level.empty()) {
        const std::string reason = enterFolder(line.level);
        if (!reason.empty()) {
            std::fprintf(stderr, "levelcolors: cannot open level folder %s: %s\n",
                         line.level.c_str(), reason.c_str());
            return exitUsage;
        }
    }
    return std::nullopt;
}
