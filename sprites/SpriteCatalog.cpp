#include "sprites/SpriteCatalog.h"

#include "gfx/Renderer.h"
#include "listfile/FileExtension.h"
#include "listfile/ListObject.h"
#include "listfile/ListReader.h"
#include "listfile/NamedFiles.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/ShowOneSprite.h"

#include <iostream>
#include <typeinfo>
#include <utility>

namespace {

// The PNG files that a description names and that have no sprite yet, once each, in the
// order they are written.
std::vector<std::string> namedImages(ListObject* root) {
    const SpriteCatalog& catalog = SpriteCatalog::get();
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (NamedFile& file : namedFiles(root)) {
        const std::string& name = file.path;
        if (hasExtension(name, "png", ExtensionMatch::LastLetters) &&
            !catalog.sprites.count(name) && seen.insert(name).second)
            names.push_back(std::move(file.path));
    }
    return names;
}

} // namespace

SpriteCatalog& SpriteCatalog::get() {
    // Never destroyed: the prototypes it points to stay reachable until the process ends.
    static SpriteCatalog* const catalog = new SpriteCatalog();
    return *catalog;
}

namespace {

void freeSprite(Sprite* sprite) {
    if (sprite && sprite->texture != 0)
        Renderer::get().glDeleteTextures(1, &sprite->texture);
    delete sprite;
}

} // namespace

void SpriteCatalog::clear() {
    clearExcept([](const std::string&, Sprite&) { return false; });
}

void SpriteCatalog::clearExcept(
    const std::function<bool(const std::string& name, Sprite& sprite)>& keep) {
    setAside(keep);
    freeSetAside();
}

void SpriteCatalog::setAside(
    const std::function<bool(const std::string& name, Sprite& sprite)>& keep) {
    // Only image sprites hold a texture, and an image sprite's clone is itself, so each
    // texture belongs to exactly one prototype here. Parts and frames are not owned by the
    // description sprites that use them, so the order of deletion does not matter.
    std::map<std::string, Sprite*> kept;
    unclaimed.clear();
    for (auto& [name, sprite] : sprites) {
        const bool image = sprite && typeid(*sprite) == typeid(Sprite);
        if (image && keep(name, *sprite)) {
            kept.emplace(name, sprite);
            unclaimed.insert(name);
        } else {
            setAside_.push_back(sprite);
        }
    }
    sprites = std::move(kept);
    loading.clear();
    lent_.clear();
}

void SpriteCatalog::noteLent(Sprite& frame) {
    if (noteLending)
        lent_.push_back(Lent{&frame, frame.placement, frame.box});
}

void SpriteCatalog::undoLending() {
    // Latest first, so that each sprite ends as it was before the first lending.
    for (auto lent = lent_.rbegin(); lent != lent_.rend(); ++lent) {
        lent->sprite->placement = lent->placement;
        lent->sprite->box = lent->box;
    }
    lent_.clear();
}

void SpriteCatalog::freeSetAside() {
    for (Sprite* sprite : setAside_)
        freeSprite(sprite);
    setAside_.clear();
}

void SpriteCatalog::dropUnclaimed() {
    for (const std::string& name : unclaimed) {
        freeSprite(sprites[name]);
        sprites.erase(name);
    }
    unclaimed.clear();
}

namespace {

// The factory's work; `reportUnloadable` false leaves an image that cannot be loaded to the
// caller, who names it with the description that asked for it.
Sprite* requestSprite(std::string name, bool reportUnloadable) {
    SpriteCatalog& catalog = SpriteCatalog::get();
    const auto found = catalog.sprites.find(name);
    if (found != catalog.sprites.end()) {
        // A kept sprite comes back as made: its users before may have changed it.
        if (catalog.unclaimed.erase(name))
            found->second->restoreAsMade();
        return found->second ? found->second->clone() : nullptr;
    }

    // The catalogue stores a description only once it is built, so a request for one still
    // being built would start it again, without end.
    if (catalog.loading.count(name) != 0) {
        std::cerr << "Sprite description names itself: " << name << std::endl;
        return nullptr;
    }

    // The last three letters decide, case-sensitively; the dot is not looked at.
    Sprite* made = nullptr;
    if (hasExtension(name, "png", ExtensionMatch::LastLetters)) {
        made = new Sprite(name);
        if (made->unloaded && !made->unloadedReason.empty() && reportUnloadable)
            std::cerr << "Unable to load image " << name << " : " << made->unloadedReason
                      << std::endl;
    } else if (hasExtension(name, "txt", ExtensionMatch::LastLetters)) {
        made = loadSpriteDescription(name);
    } else {
        std::cerr << "Invalid sprite extension" << std::endl;
        return nullptr;
    }
    catalog.sprites[name] = made;
    return made;
}

} // namespace

Sprite* getSprite(std::string name) {
    return requestSprite(std::move(name), true);
}

Sprite* getNamedSprite(const std::string& name, const NamingSite& site) {
    Sprite* sprite = requestSprite(name, false);
    if (sprite && sprite->unloaded && !sprite->unloadedReason.empty())
        std::cerr << site.description << ":" << int64_t(site.line) + 1 << ": " << site.role << " "
                  << name << " cannot be loaded: " << sprite->unloadedReason << std::endl;
    return sprite;
}

Sprite* getSprite(std::string name, SDL_Surface* image) {
    SpriteCatalog& catalog = SpriteCatalog::get();
    if (image && !catalog.sprites.count(name)) {
        Sprite* made = new Sprite(name, image);
        catalog.sprites[name] = made;
        return made;
    }
    return getSprite(std::move(name));
}

Sprite* loadSpriteDescription(std::string name) {
    std::set<std::string>& loading = SpriteCatalog::get().loading;
    const bool marked = loading.insert(name).second;

    std::unique_ptr<ListObject> root = readListFile(name, SpriteCatalog::get().openListFile);
    if (SpriteCatalog::get().requestImages) {
        const std::vector<std::string> images = namedImages(root.get());
        if (!images.empty())
            SpriteCatalog::get().requestImages(images);
    }
    // An empty file has no type word; it is an unknown type, without the element model's
    // report on the empty list.
    const std::string type = root->first ? root->firstString() : std::string();
    Sprite* made = nullptr;
    if (type == "animated") {
        made = new AnimatedSprite(name, root->rest());
    } else if (type == "showone") {
        made = new ShowOneSprite(name, root->rest());
    } else {
        std::cerr << "Sprite type " << type << " unknown." << std::endl;
    }

    if (marked)
        loading.erase(name);
    return made;
}
