#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "listfile/ListInput.h"
#include "listfile/NamedFiles.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What whoever builds from a description made of a file it names: nothing (no sprite), an
// image that cannot be loaded, or something.
enum class NamedResult { Nothing, Unloaded, Made };

// Whoever builds from a description while it is read (the sprite factory, the check tool): the
// reader asks it for each file the description names as it meets the naming entry, so that what
// building the file reports comes between the description's own problems, entry by entry.
class DescriptionBuilder {
  public:
    virtual ~DescriptionBuilder() = default;
    // Every file the description names (namedFiles), once it is read, before any is asked for.
    virtual void named(const std::vector<NamedFile>& files) = 0;
    // A "filename" item, in the order written: `file` as a "frame" or a "part", named at `line`.
    virtual NamedResult request(const std::string& file, int32_t line, const char* role) = 0;
    // An "origin" item of a "showone" entry, for the part asked for last in it, when that gave
    // something.
    virtual void origin(int16_t x, int16_t y) = 0;
};

// A description file ("animated" or "showone") as a plain model: what it names, in order, and
// its problems in the order they were met. Requests are counted from 0 in the order the reader
// made them; a frame or part without one names nothing.
struct Description {
    enum class Type { Unknown, Animated, ShowOne };
    Type type = Type::Unknown;
    std::string typeWord; // "" for a file without one

    // "animated": one frame per "sprite" entry whose picture is not an image that cannot be
    // loaded. An entry without "filename" repeats the frame before's picture and line, one
    // without "time" its start.
    struct Frame {
        std::optional<size_t> request;
        std::string file;
        int32_t line = 0; // of its "filename" item, counted from 0
        int32_t start = 0;
    };
    std::vector<Frame> frames;
    int32_t duration = 0; // the sum of the frames' times, wrapping instead of overflowing
    bool loop = false;
    bool hasSpriteEntry = false;

    // "showone": one part per "sprite" entry, the file its last "filename" names.
    struct Part {
        std::optional<size_t> request;
        std::string file;
        int32_t line = 0;
    };
    std::vector<Part> parts;
    uint16_t width = 0; // "size"
    uint16_t height = 0;

    std::vector<Diagnostic> problems;
};

// Reads the description `name`, opened with `open`, asking `builder` for the files it names as
// it meets them. Never fails: what cannot be read is skipped, and each problem goes to `sink` as
// it is met and is kept in the model. The reader's lines (ListReader), the element model's
// (ElementMisuse; located at the entry whose value was missing when the element has no line of
// its own), "Sprite type <word> unknown." and "Malformed animated sprites file: <name>".
Description readDescription(const std::string& name, const ListFileOpener& open,
                            DescriptionBuilder& builder, DiagnosticSink& sink);

// The frames of an animation whose size differs from the first frame that has one (none at
// all: no first), the one rule by which frames are compared. `sizes` holds each frame's width
// and height, none where a frame has no picture.
struct FrameSizes {
    std::optional<size_t> first;
    std::vector<size_t> differing;
};
FrameSizes compareFrameSizes(const std::vector<std::optional<std::pair<int, int>>>& sizes);
