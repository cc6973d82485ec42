#include "app/MapSave.h"

#include "level/MapImageReader.h"
#include "level/MapImageWriter.h"

std::string saveMap(MapList::Map& map, const std::optional<FileStamp>& expected,
                    DiagnosticSink& sink) {
    std::string problem;
    if (!map.read)
        problem = "cannot be read";
    MapImage image;
    if (problem.empty()) {
        // The kind the file is, once: a file gone or unreadable is saved as RGBA.
        if (!map.kind) {
            std::string reason;
            if (std::optional<MapImage> read = readMapImage(map.path, reason))
                map.kind = std::move(read->kind);
        }
        image.width = map.width;
        image.height = map.height;
        image.pixels = map.pixels();
        if (map.kind)
            image.kind = *map.kind;
        FileReplacement::Rules rules;
        rules.expected = expected;
        saveMapImage(map.path, image, rules, sink, problem);
    }
    if (!problem.empty()) {
        sink.report({DiagnosticKind::Level,
                     map.path,
                     {},
                     "",
                     "Unable to save map " + map.path + " : " + problem});
        return problem;
    }
    map.kind = std::move(image.kind);
    map.editor.history().markSaved();
    map.stamp = fileStamp(map.path);
    map.savedHere = true;
    map.changedOnDisk = false;
    return "";
}
