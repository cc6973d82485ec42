#include "check/DescriptionCheck.h"

#include "check/StderrCapture.h"
#include "level/ImagePrefetch.h"
#include "level/LevelLayout.h"
#include "listfile/EntryFields.h"
#include "listfile/FileExtension.h"
#include "listfile/ListObject.h"
#include "listfile/ListReader.h"
#include "listfile/NamedFiles.h"
#include "platform/RegularFile.h"

#include <SDL.h>
#include <algorithm>
#include <cctype>
#include <sstream>

DescriptionCheck::DescriptionCheck(const std::string& level, ImagePrefetch& images,
                                   StderrCapture& capture)
    : level_(level), images_(images), capture_(capture), mark_(capture.mark()) {}

void DescriptionCheck::checkTexture(const std::string& path) {
    texture_ = path;
    skipPrinted();
    request(path, nullptr);
}

std::string DescriptionCheck::at(const Site& site) {
    return site.description + ":" + std::to_string(int64_t(site.line) + 1) + ": " + site.role + " ";
}

void DescriptionCheck::problem(const char* kind, std::vector<std::string> files,
                               const std::string& message) {
    // A description that a texture names through others is a fault of that texture too.
    if (std::find(files.begin(), files.end(), texture_) == files.end())
        files.push_back(texture_);
    found_.problem(kind, std::move(files), {}, message);
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
                        "): " + unloadedConsequence(*site) + "; add the image or mend the path");
        return built;
    }
    if (loading_.count(name)) {
        const std::string where = site ? at(*site) + name : name;
        problem("cycle", {site ? site->description : name, name},
                where + " names a description that is still being built (itself, or one that names "
                        "it): the viewer cuts the cycle there and shows nothing in its place");
        return nullptr;
    }
    if (hasExtension(name, "png", ExtensionMatch::LastLetters)) {
        const Built made = image(name);
        if (made.unloaded && site)
            problem("frame", {site->description, name},
                    at(*site) + name + " cannot be loaded (" + made.reason +
                        "): " + unloadedConsequence(*site) + "; add the image or mend the path");
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
                    "it (\"Invalid sprite extension\"); name a PNG image or a description");
    return nullptr;
}

DescriptionCheck::Built DescriptionCheck::image(const std::string& name) {
    const std::string path = levelPath(level_, name);
    DecodedImage decoded = images_.take(path);
    skipPrinted();
    Built built;
    if (decoded.image) {
        built.width = decoded.image->w;
        built.height = decoded.image->h;
        SDL_FreeSurface(decoded.image);
    } else {
        built.unloaded = true;
        // The image library's reason, as the viewer gives it; what libpng printed before it
        // is the viewer's to show.
        built.reason = !decoded.refusal.empty() ? decoded.refusal : decoded.reason;
    }
    return built;
}

std::optional<DescriptionCheck::Built> DescriptionCheck::description(const std::string& name) {
    const bool marked = loading_.insert(name).second;
    skipPrinted();
    std::unique_ptr<ListObject> root = readListFile(levelPath(level_, name), openRegularFile);
    // The reader names the file by the path it opened; the check by the level's path.
    const std::string path = levelPath(level_, name);
    const long now = capture_.mark();
    std::istringstream lines(now == mark_ ? std::string() : capture_.since(mark_));
    mark_ = now;
    for (std::string line; std::getline(lines, line);) {
        for (size_t at = line.find(path); at != std::string::npos; at = line.find(path, at + 1))
            line.replace(at, path.size(), name);
        if (line.rfind(name + ": ", 0) != 0)
            line = name + ": " + line;
        problem("syntax", {name}, line + "; the viewer reads only what comes before");
    }
    std::vector<std::string> images;
    for (const NamedFile& named : namedFiles(root.get())) {
        if (leavesLevel(named.path))
            found_.notes.push_back({"outside",
                                    "",
                                    {name, named.path},
                                    {},
                                    name + " names " + named.path +
                                        ", outside the level folder; the viewer loads it, but "
                                        "the level does not hold it",
                                    0,
                                    {}});
        if (hasExtension(named.path, "png", ExtensionMatch::LastLetters) &&
            !built_.count(named.path))
            images.push_back(levelPath(level_, named.path));
    }
    // Decoded ahead, as the viewer's scan has them decoded.
    if (!images.empty())
        images_.requestNext(images);

    const std::string type = root->first ? root->firstString() : std::string();
    std::optional<Built> made;
    if (type == "animated") {
        made = animation(name, root->rest());
    } else if (type == "showone") {
        showOne(name, root->rest());
        made = Built();
    } else {
        collect(name);
        problem("type", {name},
                name + ": unknown sprite type \"" + type +
                    "\": the viewer shows nothing for it; begin the file with (animated ...) "
                    "or (showone ...)");
    }
    collect(name);
    if (marked)
        loading_.erase(name);
    return made;
}

DescriptionCheck::Built DescriptionCheck::animation(const std::string& name, ListObject* entries) {
    // The viewer's AnimatedSprite walk: the same accessors in the same order, so that the
    // element model reports the same misuse.
    struct Frame {
        const Built* built;
        std::string file;
        int32_t line;
    };
    std::vector<Frame> frames;
    Frame record = {nullptr, "", 0};
    bool hasSpriteEntry = false;
    for (ListObject* cell = entries; cell && cell->first; cell = cell->rest()) {
        ListObject* entry = cell->firstList();
        if (!entry || !entry->first)
            continue;
        const std::string key = entry->firstString();
        if (key != "sprite")
            continue;
        hasSpriteEntry = true;
        for (ListObject* itemCell = entry->rest(); itemCell && itemCell->first;
             itemCell = itemCell->rest()) {
            ListObject* item = itemCell->firstList();
            if (!item || !item->first)
                continue;
            const std::string itemKey = item->firstString();
            if (itemKey == "filename") {
                const std::string file = firstStringOf(item->rest());
                collect(name, item->line);
                const Site site = {name, item->line, "frame"};
                record = {request(file, &site), file, item->line};
            } else if (itemKey == "time") {
                ListObject* value = item->rest();
                if (value && value->first)
                    value->firstString();
            }
        }
        if (!(record.built && record.built->unloaded))
            frames.push_back(record);
    }
    collect(name);
    Built made;
    if (!hasSpriteEntry) {
        problem("animation", {name},
                name +
                    ": an animation without frames: the viewer shows nothing for it (\"Malformed "
                    "animated sprites file\"); add (sprite (filename ...) (time N)) entries");
        return made;
    }
    size_t first = 0;
    while (first < frames.size() && !frames[first].built)
        ++first;
    if (first == frames.size())
        return made;
    made.width = frames[first].built->width;
    made.height = frames[first].built->height;
    for (size_t i = first + 1; i < frames.size(); ++i) {
        const Built* frame = frames[i].built;
        if (!frame || (frame->width == made.width && frame->height == made.height))
            continue;
        const Site site = {name, frames[i].line, "frame"};
        problem("animation", {name, frames[i].file},
                at(site) + frames[i].file + " is " + std::to_string(frame->width) + "x" +
                    std::to_string(frame->height) + ", the first frame " + frames[first].file +
                    " " + std::to_string(made.width) + "x" + std::to_string(made.height) +
                    ": the viewer stretches it to the first frame's size (\"Animated sprite not "
                    "of consistent size\"); make the frames one size");
    }
    return made;
}

void DescriptionCheck::showOne(const std::string& name, ListObject* entries) {
    // The viewer's ShowOneSprite walk, accessor for accessor.
    for (ListObject* cell = entries; cell && cell->first; cell = cell->rest()) {
        ListObject* entry = cell->firstList();
        if (!entry || !entry->first)
            continue;
        const std::string key = entry->firstString();
        if (key == "sprite") {
            const Built* part = nullptr;
            for (ListObject* itemCell = entry->rest(); itemCell && itemCell->first;
                 itemCell = itemCell->rest()) {
                ListObject* item = itemCell->firstList();
                if (!item || !item->first)
                    continue;
                const std::string itemKey = item->firstString();
                if (itemKey == "filename") {
                    const std::string file = firstStringOf(item->rest());
                    collect(name, item->line);
                    const Site site = {name, item->line, "part"};
                    part = request(file, &site);
                } else if (itemKey == "origin" && part) {
                    firstIntOf(item->rest());
                    firstIntOf(restOf(item->rest()));
                    collect(name, item->line);
                }
            }
        } else if (key == "size") {
            firstIntOf(entry->rest());
            firstIntOf(restOf(entry->rest()));
            collect(name, entry->line);
        }
    }
}

void DescriptionCheck::collect(const std::string& description, int32_t line) {
    // Called at every step of every walk: usually nothing was printed, which one look at the
    // capture's size tells.
    const long now = capture_.mark();
    if (now == mark_)
        return;
    std::istringstream lines(capture_.since(mark_));
    mark_ = now;
    for (std::string text; std::getline(lines, text);) {
        // The element model's lines start with the line number, counted from 0; the end of a
        // list has none of its own (-1), and takes the line of the entry it ends.
        size_t digits = text.size() > 0 && text[0] == '-' ? 1 : 0;
        while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
            ++digits;
        std::string where = description;
        if (digits > 0 && text.compare(digits, 2, ": ") == 0) {
            const long long number = std::stoll(text.substr(0, digits));
            const long long shown = number >= 0 ? number : line;
            if (shown >= 0)
                where += ":" + std::to_string(shown + 1);
            text = text.substr(digits + 2);
        }
        problem("syntax", {description},
                where + ": " + text + "; the viewer skips what it cannot read there");
    }
}

void DescriptionCheck::skipPrinted() {
    mark_ = capture_.mark();
}
