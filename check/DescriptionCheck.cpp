#include "check/DescriptionCheck.h"

#include "level/ImagePrefetch.h"
#include "level/LevelLayout.h"
#include "level/TextParts.h"
#include "listfile/Description.h"
#include "listfile/FileExtension.h"
#include "platform/OwnedSurface.h"
#include "platform/RegularFile.h"

#include <SDL.h>
#include <algorithm>

DescriptionCheck::DescriptionCheck(const std::string& level, ImagePrefetch& images)
    : level_(level), images_(images) {}

void DescriptionCheck::checkTexture(const std::string& path) {
    texture_ = path;
    request(path, nullptr);
}

std::string DescriptionCheck::at(const Site& site) {
    return site.description + ":" + std::to_string(int64_t(site.line) + 1) + ": " + site.role + " ";
}

void DescriptionCheck::problem(const char* kind, std::vector<std::string> files,
                               const std::string& message, const std::string& location,
                               int64_t line) {
    // A description that a texture names through others is a fault of that texture too.
    if (std::find(files.begin(), files.end(), texture_) == files.end())
        files.push_back(texture_);
    found_.problem(kind, std::move(files), {}, message, location, line);
}

void DescriptionCheck::problem(const char* kind, std::vector<std::string> files,
                               const std::string& message, const Site* site) {
    if (site)
        problem(kind, std::move(files), message, site->description, int64_t(site->line) + 1);
    else
        problem(kind, std::move(files), message);
}

std::string DescriptionCheck::unloadedConsequence(const Site& site) {
    return std::string(site.role) == "frame" ? "the animation plays without it"
                                             : "the viewer shows nothing in its place";
}

const DescriptionCheck::Built* DescriptionCheck::request(const std::string& name,
                                                         const Site* site) {
    const auto found = built_.find(name);
    if (found != built_.end()) {
        const Built* built = found->second ? &*found->second : nullptr;
        if (built && built->unloaded && site)
            problem("frame", {site->description, name},
                    at(*site) + name + " cannot be loaded (" + built->reason +
                        "): " + unloadedConsequence(*site) + "; add the image or mend the path",
                    site);
        return built;
    }
    if (loading_.count(name)) {
        const std::string where = site ? at(*site) + name : name;
        problem("cycle", {site ? site->description : name, name},
                where + " names a description that is still being built (itself, or one that names "
                        "it): the viewer cuts the cycle there and shows nothing in its place",
                site);
        return nullptr;
    }
    if (hasExtension(name, "png", ExtensionMatch::LastLetters)) {
        const Built made = image(name);
        if (made.unloaded && site)
            problem("frame", {site->description, name},
                    at(*site) + name + " cannot be loaded (" + made.reason +
                        "): " + unloadedConsequence(*site) + "; add the image or mend the path",
                    site);
        else if (made.unloaded)
            problem("image", {name},
                    "unloadable texture " + name + " (" + made.reason +
                        "): the viewer shows nothing for it; save it again as a PNG image");
        return &*(built_[name] = made);
    }
    if (hasExtension(name, "txt", ExtensionMatch::LastLetters)) {
        std::optional<Built> made = description(name);
        auto& stored = built_[name] = std::move(made);
        return stored ? &*stored : nullptr;
    }
    const std::string shown = name.empty() ? "\"\"" : name;
    const std::string where = site ? at(*site) + shown : shown;
    problem("type", {site ? site->description : name, name},
            where + " is neither a .png image nor a .txt description: the viewer cannot load "
                    "it (\"Invalid sprite extension\"); name a PNG image or a description",
            site);
    return nullptr;
}

DescriptionCheck::Built DescriptionCheck::image(const std::string& name) {
    const std::string path = levelPath(level_, name);
    DecodedImage decoded = images_.take(path);
    Built built;
    const OwnedSurface image(decoded.image);
    if (image) {
        built.width = image->w;
        built.height = image->h;
    } else {
        built.unloaded = true;
        // The image library's reason, as the viewer gives it; what libpng printed before it
        // is the viewer's to show.
        built.reason = !decoded.refusal.empty() ? decoded.refusal : decoded.reason;
    }
    return built;
}

// What the reader asks while a description is read: the files it names, built as the viewer
// builds them; and where its problems go, each a finding as it comes.
class DescriptionCheck::Building : public DescriptionBuilder, public DiagnosticSink {
  public:
    Building(DescriptionCheck& check, const std::string& name) : check_(check), name_(name) {}

    void named(const std::vector<NamedFile>& files) override {
        std::vector<std::string> images;
        for (const NamedFile& named : files) {
            if (leavesLevel(named.path))
                check_.found_.notes.push_back({"outside",
                                               "",
                                               {name_, named.path},
                                               {},
                                               name_ + " names " + named.path +
                                                   ", outside the level folder; the viewer loads "
                                                   "it, but the level does not hold it",
                                               0,
                                               {},
                                               name_,
                                               int64_t(named.line) + 1});
            if (hasExtension(named.path, "png", ExtensionMatch::LastLetters) &&
                !check_.built_.count(named.path))
                images.push_back(levelPath(check_.level_, named.path));
        }
        // Decoded ahead, as the viewer's scan has them decoded.
        if (!images.empty())
            check_.images_.requestNext(images);
    }
    NamedResult request(const std::string& file, int32_t line, const char* role) override {
        const Site site = {name_, line, role};
        const Built* built = check_.request(file, &site);
        requested.push_back(built);
        return !built            ? NamedResult::Nothing
               : built->unloaded ? NamedResult::Unloaded
                                 : NamedResult::Made;
    }
    void origin(int16_t, int16_t) override {}

    void report(const Diagnostic& diagnostic) override {
        if (diagnostic.kind == DiagnosticKind::ListFile) {
            // A line that names its file and line already ("name:3: ...") keeps its form.
            const std::string where = diagnostic.line ? diagnostic.where : name_ + ": ";
            check_.problem("syntax", {name_},
                           where + diagnostic.text + "; the viewer reads only what comes before",
                           name_, lineOf(diagnostic));
        } else if (diagnostic.kind == DiagnosticKind::Element) {
            const std::string where =
                diagnostic.line ? name_ + ":" + std::to_string(int64_t(*diagnostic.line) + 1)
                                : name_;
            check_.problem("syntax", {name_},
                           where + ": " + diagnostic.text +
                               "; the viewer skips what it cannot read there",
                           name_, lineOf(diagnostic));
        }
        // The description's own problems are the model's, judged once it is read.
    }

    std::vector<const Built*> requested;

  private:
    // The line of the entry at fault, counted from 1; 0 for none.
    static int64_t lineOf(const Diagnostic& diagnostic) {
        return diagnostic.line ? int64_t(*diagnostic.line) + 1 : 0;
    }

    DescriptionCheck& check_;
    const std::string& name_;
};

std::optional<DescriptionCheck::Built> DescriptionCheck::description(const std::string& name) {
    const bool marked = loading_.insert(name).second;
    // Opened in the level folder, named as the level names it.
    const ListFileOpener open = [this](const std::string& file, std::string& problem,
                                       long long* size, bool* refused) {
        return openRegularFile(levelPath(level_, file), problem, size, refused);
    };
    Building building(*this, name);
    const Description model = readDescription(name, open, building, building);
    std::optional<Built> made;
    if (model.type == Description::Type::Animated) {
        made = animation(name, model, building.requested);
    } else if (model.type == Description::Type::ShowOne) {
        made = Built();
    } else {
        problem("type", {name},
                name + ": unknown sprite type \"" + model.typeWord +
                    "\": the viewer shows nothing for it; begin the file with (animated ...) "
                    "or (showone ...)");
    }
    if (marked)
        loading_.erase(name);
    return made;
}

DescriptionCheck::Built DescriptionCheck::animation(const std::string& name,
                                                    const Description& model,
                                                    const std::vector<const Built*>& requested) {
    Built made;
    if (!model.hasSpriteEntry) {
        problem("animation", {name},
                name +
                    ": an animation without frames: the viewer shows nothing for it (\"Malformed "
                    "animated sprites file\"); add (sprite (filename ...) (time N)) entries");
        return made;
    }
    std::vector<const Built*> frames;
    std::vector<std::optional<std::pair<int, int>>> sizes;
    for (const Description::Frame& frame : model.frames) {
        const Built* built = frame.request ? requested[*frame.request] : nullptr;
        frames.push_back(built);
        sizes.push_back(built ? std::make_optional(std::make_pair(built->width, built->height))
                              : std::nullopt);
    }
    const FrameSizes compared = compareFrameSizes(sizes);
    if (!compared.first)
        return made;
    const Description::Frame& first = model.frames[*compared.first];
    made.width = frames[*compared.first]->width;
    made.height = frames[*compared.first]->height;
    for (size_t i : compared.differing) {
        const Built* frame = frames[i];
        const Description::Frame& named = model.frames[i];
        const Site site = {name, named.line, "frame"};
        problem("animation", {name, named.file},
                at(site) + named.file + " is " + std::to_string(frame->width) + "x" +
                    std::to_string(frame->height) + ", the first frame " + first.file + " " +
                    std::to_string(made.width) + "x" + std::to_string(made.height) +
                    ": the viewer stretches it to the first frame's size (\"Animated sprite not "
                    "of consistent size\"); make the frames one size",
                &site);
    }
    return made;
}
