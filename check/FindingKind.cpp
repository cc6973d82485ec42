#include "check/FindingKind.h"

#include <algorithm>
#include <iterator>

const FindingKind findingKinds[] = {
    {"duplicate", "one colour carried by several textures or by several objects (the viewer\n"
                  "keeps the last scanned), by a texture and an object (both kept, but a painted\n"
                  "map cannot tell them apart), or by both collision swatches"},
    {"near", "two different marker colours no further apart than --near in any channel"},
    {"translucent", "a swatch whose top-left pixel is not fully opaque"},
    {"mixed", "a swatch that is not one flat colour"},
    {"missing", "a swatch that does not exist"},
    {"unreadable", "a swatch that is no readable image"},
    {"folder", "a scanned folder that exists but cannot be listed"},
    {"orphan", "a swatch (NAME_p.png) in a scanned folder that no scanned file uses"},
    {"special", "a texture or object name that is a link to nothing, a FIFO, a device or a\n"
                "folder"},
    {"stray", "a colour in a --map image that is no marker colour"},
    {"image", "a texture image that cannot be loaded"},
    {"syntax", "a description the viewer cannot read whole: a list left open, a word where\n"
               "a list belongs (or the reverse), no list at all, a file over 1 MiB, or one\n"
               "that is no regular file"},
    {"type", "a description of an unknown type, or a name that is neither .png nor .txt"},
    {"cycle", "a description that names itself, or one that names it"},
    {"frame", "a frame or part that a description names and that cannot be loaded"},
    {"animation", "an animation without frames, or with frames of different sizes"},
};
const size_t findingKindCount = std::size(findingKinds);

const FindingKind noteKinds[] = {
    {"collision", "a collision colour that a texture or object also carries: the viewer's\n"
                  "collision page shows that file's swatch for it"},
    {"outside", "a path a texture description names outside the level folder, or a listed\n"
                "link that leads out of it: the viewer loads it, but the level folder does not\n"
                "hold it"},
    {"unscanned", "a folder inside a scanned folder that holds swatches: the viewer lists no\n"
                  "folder there, so its files are not scanned"},
    {"fixed", "stray pixels of a --map image that --fix-strays snapped to the marker they were\n"
              "meant to be, the map saved: one note per stray colour and marker"},
};
const size_t noteKindCount = std::size(noteKinds);

const FindingKind levelFolderKind = {
    "level", "a level folder that cannot be read: the other levels of the run are still checked"};

namespace {

constexpr size_t nameColumn = 13;

} // namespace

bool isFindingKind(const std::string& name) {
    return std::any_of(std::begin(findingKinds), std::end(findingKinds),
                       [&](const FindingKind& kind) { return name == kind.name; });
}

std::string findingKindList() {
    std::string text;
    for (const FindingKind& kind : findingKinds) {
        std::string name = kind.name;
        text += "  " + name + std::string(nameColumn - std::min(nameColumn, name.size()), ' ');
        for (const char* c = kind.meaning; *c; ++c) {
            text += *c;
            if (*c == '\n')
                text += std::string(2 + nameColumn, ' ');
        }
        text += "\n";
    }
    return text;
}
