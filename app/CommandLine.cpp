#include "app/CommandLine.h"

#include "level/NewMap.h"
#include "platform/DataFolder.h"
#include "platform/OptionParser.h"
#include "platform/WorkingFolder.h"

#include <cstdio>
#include <string>

namespace {

constexpr int exitUsage = 2;
constexpr int smallestWidth = 300;
constexpr int smallestHeight = 400;
// More digits than this are no window size.
constexpr size_t sizeDigits = 5;

// "WxH" in decimal digits; false for anything else.
bool readSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    const std::string w = text.substr(0, x), h = text.substr(x + 1);
    for (const std::string& number : {w, h}) {
        if (number.empty() || number.size() > sizeDigits ||
            number.find_first_not_of("0123456789") != std::string::npos)
            return false;
    }
    width = std::stoi(w);
    height = std::stoi(h);
    return true;
}

// Sets the line's snap from --snap's value, or its error.
void applySnap(CommandLine& line, const std::string& value) {
    if (value.empty() || value.size() > 3 ||
        value.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(value) > MeantMarker::largestSnap)
        line.error = "--snap takes a whole number from 0 to " +
                     std::to_string(MeantMarker::largestSnap) + ": " + value;
    else
        line.snap = std::stoi(value);
}

// Sets the line's size from --size's value, or its error.
void applySize(CommandLine& line, const std::string& value) {
    int width = 0, height = 0;
    if (!readSize(value, width, height))
        line.error = "--size takes WIDTHxHEIGHT, such as 600x1000: " + value;
    else if (width < smallestWidth || height < smallestHeight)
        line.error = "--size " + value + " is below the smallest window, 300x400";
    else {
        line.sized = true;
        line.width = width;
        line.height = height;
    }
}

// The data folder's place differs between systems; the rest is the same everywhere.
std::string usageText() {
    return std::string(R"(usage: levelcolors [--size WxH] [--map FILE]... [--snap N] [LEVEL_FOLDER]
       levelcolors --new-map FILE WxH [options] [LEVEL_FOLDER]

Shows the marker colours of a level (default: the current folder) page by page in a
300 by 800 window. Every path the viewer reads is relative to the level folder; the fonts
and pictures a level lacks (fonts/smallFont.png, fonts/bigFont.png, whiteBG.png,
scramble.png) come from the viewer's data folder, )") +
           dataFolderPlace() + R"(.

keys: t textures, o objects, y collision colours; 1 to 9 and 0 pages 1 to 10,
q w e r, a s d f, z x c v pages 11 to 22; Page Down, Page Up, Home, End and the
mouse wheel browse every page; b the background; i the info overlay; F5 rescans;
/ opens the find line, which filters the view by path or by #colour (Enter keeps the
filter, Escape clears it); the mouse over a row names it; m the map view (again: the
next map), p there the colours as painted, l the painted colours at half opacity over
the art; Escape quits.

options:
  --help        this text
  --version     the name and the version
  --size WxH    the window's width and height, at least 300x400 (default 300x800); taller
                windows hold more rows per page, and a size beyond the display's is reduced
  --map FILE    a painted map for the map view (repeatable; relative to the level folder);
                default: the level's levels/*.png that are no swatches
  --snap N      how far (0-442, Euclidean in RGB) a stray map colour may lie from the
                marker the map view names for it, or from the blend of two markers its
                neighbours carry; default 12
)";
}

// The operands: with --new-map, the new map's size first; then the level folder.
void applyOperands(CommandLine& line, std::vector<std::string> operands) {
    if (!line.newMap.empty()) {
        if (operands.empty()) {
            line.error = "--new-map takes a FILE and its WxH";
            return;
        }
        line.newMapSize = operands.front();
        operands.erase(operands.begin());
        if (!parseMapSize(line.newMapSize)) {
            line.error = "--new-map takes a size WxH, such as 256x128: " + line.newMapSize;
            return;
        }
    }
    if (operands.size() > 1)
        line.error = "more than one level folder: " + operands[0] + " and " + operands[1];
    else if (!operands.empty())
        line.level = operands.front();
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    std::vector<std::string> operands;
    OptionParser parser(arguments, {{"--help", "-h", false},
                                    {"--version", nullptr, false},
                                    {"--size", nullptr, true},
                                    {"--map", nullptr, true},
                                    {"--snap", nullptr, true},
                                    {"--new-map", nullptr, true}});
    for (ParsedArgument parsed; line.error.empty() && parser.next(parsed);) {
        switch (parsed.kind) {
        case ParsedArgument::Unknown:
            line.error = "unknown option " + parsed.argument;
            break;
        case ParsedArgument::MissingValue:
            line.error = parsed.name == "--size"   ? "--size takes WIDTHxHEIGHT, such as 600x1000"
                         : parsed.name == "--snap" ? "--snap takes a whole number from 0 to " +
                                                         std::to_string(MeantMarker::largestSnap)
                         : parsed.name == "--new-map" ? "--new-map takes a FILE and its WxH"
                                                      : "--map takes a FILE";
            break;
        case ParsedArgument::Operand:
            operands.push_back(parsed.value);
            break;
        case ParsedArgument::Option:
            if (parsed.name == "--help")
                line.help = true;
            else if (parsed.name == "--version")
                line.version = true;
            else if (parsed.name == "--size")
                applySize(line, parsed.value);
            else if (parsed.name == "--snap")
                applySnap(line, parsed.value);
            else if (parsed.name == "--new-map")
                line.newMap = parsed.value;
            else
                line.maps.push_back(parsed.value);
            break;
        }
    }
    if (line.error.empty())
        applyOperands(line, operands);
    return line;
}

std::optional<int> applyCommandLine(const CommandLine& line) {
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
    if (!line.newMap.empty()) {
        std::string problem;
        if (!createNewMap(line.newMap, *parseMapSize(line.newMapSize), standardError(), problem)) {
            std::fprintf(stderr, "levelcolors: cannot make map %s: %s\n", line.newMap.c_str(),
                         problem.c_str());
            return exitUsage;
        }
    }
    return std::nullopt;
}
