#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "listfile/ListInput.h"
#include "sprites/ImageSource.h"
#include "sprites/Sprite.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// What the catalogue builds from and where its problems go: how image sprites read their images
// (none: every image is unloaded, "no image reader is set"), how description files are opened
// (the level's safe opening, platform's openRegularFile; none: "Unable to open list file") and
// the sink its problems are reported to (none: standard error). While a scan is under way
// between frames (`noteLending`), what an animation lends the frame it draws (its placement
// and box, which stay lent) is noted, so that the scan can put it back before building on:
// descriptions then see their images as a scan made before any frame would.
struct CatalogSources {
    ImageSource* images = nullptr;
    ListFileOpener openDescription;
    DiagnosticSink* problems = nullptr;
    bool noteLending = false;
};

// The process-wide catalogue of sprites by requested name. It holds the prototypes, which
// live until it is emptied. Created on first use and never destroyed, so the prototypes stay
// reachable from it to the very end.
class SpriteCatalog {
  public:
    static SpriteCatalog& get();

    // Name -> prototype; null when that name's description could not be built. Names are
    // compared exactly: no case folding, no path normalisation.
    std::map<std::string, Sprite*> sprites;
    // Description files being built, so that a file naming itself is caught.
    std::set<std::string> loading;

    // Gives the catalogue what it builds from from now on; returns what it had, for whoever
    // gave these to give back (a scan, at its end). Never fails.
    CatalogSources use(CatalogSources sources);
    const CatalogSources& sources() const { return sources_; }
    // Where problems go now: the sources' sink, or standard error.
    DiagnosticSink& problems() const {
        return sources_.problems ? *sources_.problems : standardError();
    }

    // Empties the catalogue: frees every prototype (and the clones it owns) and deletes their
    // textures with glDeleteTextures; every sprite the factory returned is gone afterwards.
    // Needs the GL entry points when any sprite has a texture.
    void clear();
    // Empties the catalogue as clear() does but for the image sprites `keep` says yes to (judged
    // as made), which stay for the next scan to take instead of reading their files again;
    // they stay unclaimed until a request asks for them, which gets them back as made
    // (restoreAsMade).
    void clearExcept(const std::function<bool(const std::string& name, Sprite& sprite)>& keep);
    // clearExcept, but the sprites not kept are only set aside, unchanged, for what still
    // draws them, until freeSetAside.
    void setAside(const std::function<bool(const std::string& name, Sprite& sprite)>& keep);
    // Frees what setAside set aside. Needs the GL entry points when any of it has a texture.
    void freeSetAside();
    // Frees the sprites kept by clearExcept that no request has asked for since, as a scan that
    // read everything again would not have made them. Needs the GL entry points.
    void dropUnclaimed();

    // Sprites kept by clearExcept or setAside and not asked for since.
    std::set<std::string> unclaimed;

    // Notes what an animation lends its frame, while the sources say so; puts back what was
    // lent, latest first. Never fail.
    void noteLent(Sprite& frame);
    void undoLending();

  private:
    SpriteCatalog() = default;
    CatalogSources sources_;
    std::vector<Sprite*> setAside_;
    struct Lent {
        Sprite* sprite;
        Rect placement, box;
    };
    std::vector<Lent> lent_;
};

// The sprite factory. The first request for a name returns the prototype it builds (image
// for names ending in "png", description for "txt"), later ones its clone. Its problems go to
// the catalogue's sink. An image that cannot be loaded gives an unloaded sprite and "Unable to
// load image <name> : <reason>". Null, with one diagnostic, for an invalid extension ("Invalid
// sprite extension", not stored), an unknown type word (stored as null) or a description that names
// itself while it is being built ("Sprite description names itself: <name>", not stored). The
// caller does not own the result.
Sprite* getSprite(std::string name);

// Where a description names a file: the description, the line of the naming entry (counted
// from 0, as the element model counts) and what the file is to it ("frame", "part").
struct NamingSite {
    std::string description;
    int32_t line;
    const char* role;
};

// getSprite for a file that a description names. An image that cannot be loaded, whether
// made now or earlier, is named as "<description>:<line + 1>: <role> <name> cannot be loaded:
// <reason>" each time a description names it (a file refused unread only when refused).
// Otherwise, null included, as getSprite.
Sprite* getNamedSprite(const std::string& name, const NamingSite& site);

// getSprite for an image file the caller has already decoded in the display's format: a
// name the catalogue does not hold yet gets its prototype made from `image` instead of from
// the file; otherwise the same as getSprite. The caller keeps the surface.
Sprite* getSprite(std::string name, SDL_Surface* image);

// Reads a description file (listfile/Description) and builds the sprite its type word names,
// entry by entry as it is read; null (after "Sprite type <word> unknown.") for any other type
// word, including that of an unreadable file.
Sprite* loadSpriteDescription(std::string name);
