#include "sprites/SpriteCatalog.h"

#include "gfx/Renderer.h"
#include "listfile/Description.h"
#include "listfile/FileExtension.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/ShowOneSprite.h"

#include <typeinfo>
#include <utility>

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

CatalogSources SpriteCatalog::use(CatalogSources sources) {
    std::swap(sources_, sources);
    return sources;
}

void SpriteCatalog::noteLent(Sprite& frame) {
    if (sources_.noteLending)
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
        catalog.problems().report({DiagnosticKind::Description,
                                   name,
                                   {},
                                   "",
                                   "Sprite description names itself: " + name});
        return nullptr;
    }

    // The last three letters decide, case-sensitively; the dot is not looked at.
    Sprite* made = nullptr;
    if (hasExtension(name, "png", ExtensionMatch::LastLetters)) {
        made = new Sprite(name);
        if (made->unloaded && !made->unloadedReason.empty() && reportUnloadable)
            catalog.problems().report(unloadableImage(name, made->unloadedReason));
    } else if (hasExtension(name, "txt", ExtensionMatch::LastLetters)) {
        made = loadSpriteDescription(name);
    } else {
        catalog.problems().report(
            {DiagnosticKind::Description, name, {}, "", "Invalid sprite extension"});
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
        SpriteCatalog::get().problems().report(
            {DiagnosticKind::Description, site.description, site.line,
             site.description + ":" + std::to_string(int64_t(site.line) + 1) + ": ",
             std::string(site.role) + " " + name + " cannot be loaded: " + sprite->unloadedReason});
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

namespace {

// Builds a description's sprite from what it names as it is read: each file named comes from
// the factory as the reader meets it.
class SpriteBuilding : public DescriptionBuilder {
  public:
    explicit SpriteBuilding(const std::string& name) : name_(name) {}

    void named(const std::vector<NamedFile>& files) override {
        // The PNG files that have no sprite yet, once each, in the order they are written.
        SpriteCatalog& catalog = SpriteCatalog::get();
        std::vector<std::string> images;
        std::set<std::string> seen;
        for (const NamedFile& file : files) {
            const std::string& path = file.path;
            if (path.size() >= 3 && path.compare(path.size() - 3, 3, "png") == 0 &&
                !catalog.sprites.count(path) && seen.insert(path).second)
                images.push_back(path);
        }
        if (!images.empty() && catalog.sources().images)
            catalog.sources().images->willNeed(images);
    }
    NamedResult request(const std::string& file, int32_t line, const char* role) override {
        Sprite* sprite = getNamedSprite(file, {name_, line, role});
        requested.push_back(sprite);
        return !sprite            ? NamedResult::Nothing
               : sprite->unloaded ? NamedResult::Unloaded
                                  : NamedResult::Made;
    }
    void origin(int16_t x, int16_t y) override {
        // Set on the very sprite the factory returned: for an image, every user's.
        Sprite* part = requested.back();
        Rect placement = part->getPlacement();
        placement.x = x;
        placement.y = y;
        part->placement = placement;
    }

    std::vector<Sprite*> requested;

  private:
    const std::string& name_;
};

} // namespace

Sprite* loadSpriteDescription(std::string name) {
    SpriteCatalog& catalog = SpriteCatalog::get();
    const bool marked = catalog.loading.insert(name).second;
    SpriteBuilding building(name);
    const Description description =
        readDescription(name, catalog.sources().openDescription, building, catalog.problems());
    Sprite* made = nullptr;
    if (description.type == Description::Type::Animated)
        made = new AnimatedSprite(name, description, building.requested, catalog.problems());
    else if (description.type == Description::Type::ShowOne)
        made = new ShowOneSprite(name, description, building.requested);
    if (marked)
        catalog.loading.erase(name);
    return made;
}
