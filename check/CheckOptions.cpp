#include "check/CheckOptions.h"

#include "check/FindingKind.h"
#include "check/PaletteFile.h"
#include "platform/OptionParser.h"

std::string checkUsage() {
    return std::string(
               R"(usage: levelcolors-check [options] [LEVEL_FOLDER...]

Checks the marker colours of levels (default: the current folder) without opening a
window. A level is read exactly as the viewer reads it: the textures in textures/
(*.png, then *.txt), the collision swatches levels/walkbehind_p.png and
levels/walkinto_p.png, then the objects (*.txt) of characters/, events/, cutscenes/ and
entities/, each with its swatch NAME_p.png, whose top-left pixel is the marker colour.

It prints the legend (colour, kind, file, swatch) in that order, then one line per problem:
)") + findingKindList() +
           R"(A collision colour that a texture or object also carries is noted, not counted as a problem,
and so is a folder inside a scanned folder that holds swatches: the viewer never reads it.

options:
)" + reportFormatUsage() +
           R"(  --quiet, -q             text: only the problems, the notes and the last line
  --ignore KIND,...       leave problems of these kinds (as listed above) out of the output
                          and the exit status
  --root DIR              sarif, github, codequality: write paths from DIR; default: the top
                          folder of the git work tree that holds the level (the nearest
                          folder at or above it that holds .git), else the level folder. A
                          file outside it keeps its path as given
  --near N                largest channel difference (0-255) that counts as near; default 3;
                          0 turns the check off
  --snap N                how far (0-442, Euclidean in RGB) a stray map colour may lie from
                          the marker it was meant to be, or from the blend of two markers
                          its neighbours carry; default 12
  --palette FILE          also write the marker colours as a palette: FILE.gpl (GIMP, each
                          colour named after its files) or FILE.pal (JASC, no names)
  --map IMAGE             count the colours of a painted level image: pixels per marker
                          colour, the marker colours it never uses, and each colour that is no
                          marker with its count and first 5 pixel positions (x,y from the
                          top-left), each with the marker it was most likely meant to be.
                          May be given several times
  --fix-strays            with --map: first snap each stray pixel of the maps to the marker
                          it was meant to be (its neighbours as painted, within --snap) and
                          save the maps in place, each kept a PNG of its kind where its
                          colours allow; every change is a note (fixed), and what a save
                          changes besides the pixels (16-bit samples, colour-management
                          chunks) is one line on standard error. The check then counts what
                          remains. Without it no map is ever written
  --unused                with --map in text format, list the marker colours a map never
                          uses instead of only counting them (csv and json always list them)
  --find DIR              also check every level folder at and below DIR (one with textures/,
                          characters/, events/, cutscenes/ or entities/), in byte order of
                          their paths; never inside a level found, and never through a
                          symbolic link. May be given several times
  --shard K/N             check only the K-th of N shares of the levels (1 <= K <= N), split
                          by a hash of each level's path: N parallel jobs with 1/N ... N/N
                          check every level once

Several levels (or any --find or --shard) are checked on every core and reported in the order
given, in one report, however many levels it holds: text gives each level's block in turn and
one last line for the run; csv adds a first column, level; json gives {"levels": [...]}
holding each level's object; junit gives <testsuites> with a test suite per level. --map,
--fix-strays and --palette need a single level folder.
  --help                  this text
  --version               the name and the version

exit status: 0 no problems, 1 problems found, 2 usage error, unreadable level folder, folder
--find cannot search, map that cannot be read or (--fix-strays) saved, no folder at --root, or
a palette that cannot be written (one line on standard error says which; among several levels
one that cannot be read is also named in the report in its place, and the others are still
checked).
)";
}

namespace {

// A whole number from 0 to `largest`, in at most three digits.
bool parseWhole(const std::string& text, int largest, int& number) {
    if (text.empty() || text.size() > 3)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > largest)
        return false;
    number = value;
    return true;
}

} // namespace

CheckOptions parseOptions(const std::vector<std::string>& arguments) {
    CheckOptions options;
    OptionParser parser(arguments, {{"--help", "-h", false},
                                    {"--version", nullptr, false},
                                    {"--unused", nullptr, false},
                                    {"--fix-strays", nullptr, false},
                                    {"--quiet", "-q", false},
                                    {"--format", nullptr, true},
                                    {"--near", nullptr, true},
                                    {"--snap", nullptr, true},
                                    {"--palette", nullptr, true},
                                    {"--map", nullptr, true},
                                    {"--ignore", nullptr, true},
                                    {"--root", nullptr, true},
                                    {"--find", nullptr, true},
                                    {"--shard", nullptr, true}});
    for (ParsedArgument parsed; options.error.empty() && parser.next(parsed);) {
        const std::string& value = parsed.value;
        if (parsed.kind == ParsedArgument::Unknown) {
            options.error = "unknown option " + parsed.name;
        } else if (parsed.kind == ParsedArgument::MissingValue) {
            options.error = parsed.name + " needs a value";
        } else if (parsed.kind == ParsedArgument::Operand) {
            options.levels.push_back({value, false});
        } else if (parsed.name == "--find") {
            if (value.empty())
                options.error = "--find needs a folder";
            options.levels.push_back({value, true});
        } else if (parsed.name == "--shard") {
            if (!options.shard.parse(value))
                options.error =
                    "--shard takes K/N, whole numbers with 1 <= K <= N <= 65536, not " + value;
        } else if (parsed.name == "--help") {
            options.help = true;
        } else if (parsed.name == "--version") {
            options.version = true;
        } else if (parsed.name == "--fix-strays") {
            options.fixStrays = true;
        } else if (parsed.name == "--unused") {
            options.listUnused = true;
        } else if (parsed.name == "--quiet") {
            options.quiet = true;
        } else if (parsed.name == "--format") {
            options.format = reportFormatNamed(value);
            if (!options.format)
                options.error = "--format takes " + reportFormatNameList() + ", not " + value;
        } else if (parsed.name == "--near") {
            if (!parseWhole(value, 255, options.near))
                options.error = "--near takes a whole number from 0 to 255, not " + value;
        } else if (parsed.name == "--snap") {
            if (!parseWhole(value, MeantMarker::largestSnap, options.snap))
                options.error = "--snap takes a whole number from 0 to " +
                                std::to_string(MeantMarker::largestSnap) + ", not " + value;
        } else if (parsed.name == "--palette") {
            if (!paletteFormatOf(value))
                options.error = "--palette needs a file ending in .gpl or .pal, not " + value;
            else if (!options.palette.empty())
                options.error = "--palette given twice";
            options.palette = value;
        } else if (parsed.name == "--root") {
            if (value.empty())
                options.error = "--root needs a folder";
            options.root = value;
        } else if (parsed.name == "--ignore") {
            size_t start = 0;
            do {
                const size_t comma = value.find(',', start);
                const std::string kind = value.substr(start, comma - start);
                if (!isFindingKind(kind)) {
                    options.error = "--ignore takes kinds of problem as --help lists them, not \"" +
                                    kind + "\"";
                    break;
                }
                options.ignored.push_back(kind);
                start = comma == std::string::npos ? comma : comma + 1;
            } while (start != std::string::npos);
        } else {
            if (value.empty())
                options.error = "--map needs an image file";
            options.maps.push_back(value);
        }
    }
    if (options.error.empty() && options.fixStrays && options.maps.empty())
        options.error = "--fix-strays needs --map IMAGE";
    else if (options.error.empty() && !options.oneLevel() && options.fixStrays)
        options.error = "--fix-strays needs a single level folder, without --find or --shard";
    else if (options.error.empty() && !options.oneLevel() && !options.maps.empty())
        options.error = "--map needs a single level folder, without --find or --shard";
    else if (options.error.empty() && !options.oneLevel() && !options.palette.empty())
        options.error = "--palette needs a single level folder, without --find or --shard";
    return options;
}

bool CheckOptions::oneLevel() const {
    return levels.size() < 2 && (levels.empty() || !levels.front().find) && shard.count == 1;
}
