#pragma once

#include "check/ColourChecks.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

class ImagePrefetch;
struct Description;

// The level's textures built as the viewer's sprite factory builds them, by the same rules
// and in the same order, with no display: each image is decoded (through the prefetch) for
// its size, each description read into the model the viewer builds from (listfile/Description).
// Every problem the viewer writes while it builds them is a finding here, with the
// description's path and the line (counted from 1) of the entry at fault.
class DescriptionCheck {
  public:
    DescriptionCheck(const std::string& level, ImagePrefetch& images);
    DescriptionCheck(const DescriptionCheck&) = delete;
    DescriptionCheck& operator=(const DescriptionCheck&) = delete;

    // Builds the sprite of one scanned texture file ("textures/a.png", "textures/b.txt").
    // Never fails: what the viewer would report is added to findings().
    void checkTexture(const std::string& path);

    Findings& findings() { return found_; }

  private:
    // What the viewer's factory would hold for a name: the sprite's size, or an image that
    // cannot be loaded and why.
    struct Built {
        bool unloaded = false;
        std::string reason;
        int width = 0;
        int height = 0;
    };
    // Where a description names a file.
    struct Site {
        std::string description;
        int32_t line;
        const char* role;
    };

    class Building;

    const Built* request(const std::string& name, const Site* site);
    Built image(const std::string& name);
    std::optional<Built> description(const std::string& name);
    Built animation(const std::string& name, const Description& model,
                    const std::vector<const Built*>& requested);

    // A problem in the description `location` at `line` (from 1; 0 for none), or, with no
    // location, in the first of `files`.
    void problem(const char* kind, std::vector<std::string> files, const std::string& message,
                 const std::string& location = "", int64_t line = 0);
    // The same at a site, in its description at its line; with none, as above.
    void problem(const char* kind, std::vector<std::string> files, const std::string& message,
                 const Site* site);
    static std::string at(const Site& site);
    // What the viewer does without a frame or part that cannot be loaded.
    static std::string unloadedConsequence(const Site& site);

    std::string level_;
    std::string texture_; // the scanned texture being built
    ImagePrefetch& images_;
    // Name -> what was built; none where the viewer's factory gives a null sprite.
    std::map<std::string, std::optional<Built>> built_;
    std::set<std::string> loading_;
    Findings found_;
};
